// The settings window on a real window manager with a panel at the bottom of an 800 px high
// screen, at the scale the test is run with (QT_SCALE_FACTOR).

#include "SettingsTestFixture.h"
#include "settings/SettingsWindowController.h"

#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

using namespace hushpane;

namespace {

class SettingsWindowOnScreen : public test::SettingsFixture {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != u"xcb" ||
            qEnvironmentVariableIsEmpty("HUSHPANE_TEST_TRAY_COLOUR")) {
            GTEST_SKIP() << "needs a window manager and a panel "
                            "(HUSHPANE_TEST_SESSION=display,wm,tray=0x353535)";
        }
        QMenu* desktopMenu = mainMenu.addMenu(QStringLiteral("Desktop"));
        desktopMenu->addAction(QStringLiteral("Hide Desktop Icons"));
        controller = std::make_unique<SettingsWindowController>(
            prefs, desktop, updater, loginItems, QStringLiteral("0.1.0"),
            SettingsView::ShortcutRowFactory{}, &mainMenu);
        // The panel has reserved its strip by the time the window comes.
        ASSERT_TRUE(QTest::qWaitFor([] {
            const QScreen* screen = QGuiApplication::primaryScreen();
            return screen->availableGeometry().height() < screen->geometry().height();
        }));
    }

    // Shown, framed by the window manager and settled where it will stay.
    QWidget* showWindow() {
        controller->show();
        QTest::qWait(0);
        QWidget* window = controller->window();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
        EXPECT_TRUE(QTest::qWaitFor([&] { return window->frameGeometry() != window->geometry(); }));
        QTest::qWait(500);
        return window;
    }

    void expectFitsAndQuitIsReachable(QWidget* window) {
        const QRect available = window->screen()->availableGeometry();
        EXPECT_TRUE(available.contains(window->frameGeometry()))
            << "frame " << window->frameGeometry().height() << " high at "
            << window->frameGeometry().top() << ", room " << available.height();
        QScrollArea* scroll = controller->scrollArea();
        auto* quit = window->findChild<QPushButton*>(QStringLiteral("quit"));
        ASSERT_NE(quit, nullptr);
        scroll->ensureWidgetVisible(quit);
        QTest::qWait(50);
        const QRect onScreen(quit->mapToGlobal(QPoint(0, 0)), quit->size());
        EXPECT_EQ(quit->visibleRegion().boundingRect(), quit->rect());
        EXPECT_TRUE(available.contains(onScreen));
    }

    QMenu mainMenu;
    std::unique_ptr<SettingsWindowController> controller;
};

}  // namespace

TEST_F(SettingsWindowOnScreen, TheWindowFitsTheRoomAboveThePanelAndScrollsWhenItMust) {
    QWidget* window = showWindow();
    const QString name = QStringLiteral("settings-scale-%1.png")
                             .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")));
    window->screen()->grabWindow(0).save(name);
    expectFitsAndQuitIsReachable(window);

    // Taller than the room: it scrolls; otherwise the whole form shows without a scroll bar.
    const int frame = window->frameGeometry().height() - window->height();
    const int room = window->screen()->availableGeometry().height() - frame;
    const int menuBar = window->height() - controller->scrollArea()->height();
    const bool scrolls = controller->view()->sizeHint().height() + menuBar > room;
    EXPECT_EQ(controller->scrollArea()->verticalScrollBar()->isVisible(), scrolls);
    if (!scrolls) {
        EXPECT_EQ(controller->view()->height(), controller->view()->sizeHint().height());
    }

    // A row that comes with an error keeps the window inside the room.
    desktopSwitch.failure = QStringLiteral("Couldn't restart Finder: No such file or directory");
    desktop.hide();
    QTest::qWait(300);
    expectFitsAndQuitIsReachable(window);
}
