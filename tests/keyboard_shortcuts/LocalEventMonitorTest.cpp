#include "LibraryFixture.h"

#include "keyboard_shortcuts/LocalEventMonitor.h"

#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <QWidget>

#include <memory>

using namespace KeyboardShortcuts;

namespace {

// Counts the key presses that reach it.
class Target : public QWidget {
public:
    int presses = 0;

protected:
    bool event(QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            ++presses;
        }
        return QWidget::event(e);
    }
};

void pressKey(QObject* receiver, int key, Qt::KeyboardModifiers modifiers = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QCoreApplication::sendEvent(receiver, &event);
}

}  // namespace

TEST(LocalEventMonitor, OffersOnlyItsTypesAndDropsWhatTheCallbackTakes) {
    Target target;
    QList<QEvent::Type> seen;
    LocalEventMonitor monitor({QEvent::KeyPress}, [&](QObject* receiver, QEvent* event) {
        EXPECT_EQ(receiver, &target);
        seen.append(event->type());
        return static_cast<QKeyEvent*>(event)->key() == Qt::Key_X;
    });
    pressKey(&target, Qt::Key_A);
    pressKey(&target, Qt::Key_X);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, {});
    QCoreApplication::sendEvent(&target, &release);
    EXPECT_EQ(seen, (QList<QEvent::Type>{QEvent::KeyPress, QEvent::KeyPress}));
    EXPECT_EQ(target.presses, 1) << "X was taken";
}

TEST(LocalEventMonitor, MayBeDeletedInsideItsOwnCallback) {
    Target target;
    for (const bool taken : {false, true}) {
        int calls = 0;
        std::unique_ptr<LocalEventMonitor> monitor;
        monitor = std::make_unique<LocalEventMonitor>(
            QList<QEvent::Type>{QEvent::KeyPress}, [&](QObject*, QEvent*) {
                ++calls;
                monitor.reset();  // what ends the monitoring may end the monitor
                return taken;
            });
        const int before = target.presses;
        pressKey(&target, Qt::Key_A);
        EXPECT_EQ(monitor, nullptr);
        EXPECT_EQ(target.presses - before, taken ? 0 : 1);
        pressKey(&target, Qt::Key_A);
        EXPECT_EQ(calls, 1) << "gone with the monitor";
        EXPECT_EQ(target.presses - before, taken ? 1 : 2);
    }
}

// The hot-key layer's raw key path runs inside the monitor: an action that closes the open menu
// ends the raw key path, and with it the monitor, from inside the monitor's callback.
TEST_F(LibraryTest, AnActionThatClosesTheMenuEndsTheRawKeyPathSafely) {
    const Name toggle(QStringLiteral("toggleDesktop"), controlOptionCommandD());
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    int actions = 0;
    onKeyDown(toggle, [&] {
        ++actions;
        menu.hide();
    });
    menu.popup(QPoint(10, 10));
    ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
    ASSERT_TRUE(library->carbonKeyboardShortcuts().isRawKeyPathOn());

    pressKey(&menu, Qt::Key_D, Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(actions, 1);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_FALSE(library->carbonKeyboardShortcuts().isRawKeyPathOn());
    EXPECT_TRUE(hotKeys.isRegistered(2, 6400)) << "the grab is back";
}
