// Services whose desktop picks the keys (the portal): its later answers reach the recorder and
// the menus.

#include "LibraryFixture.h"

#include "keyboard_shortcuts/MenuShortcutStyle.h"
#include "keyboard_shortcuts/RecorderCocoa.h"
#include "support/StdoutCapture.h"

#include <QAction>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QStyleOptionMenuItem>

using namespace KeyboardShortcuts;
using hushpane::HotKeyEvent;
namespace HotKeyEventKind = hushpane::HotKeyEventKind;

namespace {

class BoundTriggerTest : public LibraryTest {
protected:
    void SetUp() override {
        userDefaultsSet(toggle, controlOptionCommandD());
        onKeyUp(toggle, [this] { ++toggles; });
        ASSERT_EQ(hotKeys.registeredIds().size(), 1);
        id = hotKeys.registeredIds().constFirst();
    }

    std::optional<qint32> answer(quint32 kind, const QString& trigger = {}, qint32 status = 0) {
        HotKeyEvent event;
        event.kind = kind;
        event.hotKeyId = id;
        event.trigger = trigger;
        event.status = status;
        const auto result = hotKeys.deliver(event);
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
        return result;
    }

    const Name toggle{QStringLiteral("toggleDesktop")};
    hushpane::HotKeyId id;
    int toggles = 0;
};

}  // namespace

TEST_F(BoundTriggerTest, TheDesktopsKeysAreShownWhereTheShortcutIs) {
    RecorderCocoa recorder(*library, toggle);
    QAction item;
    setShortcut(&item, toggle);
    EXPECT_EQ(recorder.text(), controlOptionCommandD().description());
    EXPECT_FALSE(library->boundTrigger(toggle));

    QSignalSpy changed(library.get(), &Library::boundTriggerChanged);
    EXPECT_EQ(answer(HotKeyEventKind::hotKeyTriggerChanged, QStringLiteral("Meta+F9")), 0);
    EXPECT_EQ(changed.size(), 1);
    EXPECT_EQ(library->boundTrigger(toggle), QStringLiteral("Meta+F9"));
    EXPECT_EQ(recorder.text(), QStringLiteral("Meta+F9"));
    EXPECT_EQ(item.shortcut(), QKeySequence(Qt::META | Qt::Key_F9));
    // The menu writes the keys in the desktop's words too, not in its own ("Super+F9").
    QStyleOptionMenuItem menuItem;
    menuItem.text =
        QStringLiteral("Hide Desktop Icons\t") + item.shortcut().toString(QKeySequence::NativeText);
    EXPECT_EQ(MenuShortcutStyle::rewritten(menuItem).text,
              QStringLiteral("Hide Desktop Icons\tMeta+F9"));
    // The same answer again changes nothing.
    answer(HotKeyEventKind::hotKeyTriggerChanged, QStringLiteral("Meta+F9"));
    EXPECT_EQ(changed.size(), 1);

    // Text Qt cannot read as keys: the recorder shows it, the menu shows no wrong keys.
    answer(HotKeyEventKind::hotKeyTriggerChanged, QStringLiteral("Press the rocker twice"));
    EXPECT_EQ(recorder.text(), QStringLiteral("Press the rocker twice"));
    EXPECT_TRUE(item.shortcut().isEmpty());

    // Unbound by the desktop for now: the stored keys are shown again, the shortcut is still
    // registered and fires once the desktop binds it again.
    answer(HotKeyEventKind::hotKeyTriggerChanged, QString());
    EXPECT_EQ(recorder.text(), controlOptionCommandD().description());
    EXPECT_TRUE(item.shortcut().isEmpty());
    EXPECT_TRUE(isEnabled(toggle));
    hotKeys.press(2, 6400);
    hotKeys.release(2, 6400);
    EXPECT_EQ(toggles, 1);
}

TEST_F(BoundTriggerTest, ALateRefusalIsALostRegistration) {
    QSignalSpy lost(&library->carbonKeyboardShortcuts(),
                    &CarbonKeyboardShortcuts::registrationLost);
    hushpane::test::StdoutCapture out;
    EXPECT_EQ(answer(HotKeyEventKind::hotKeyRefused, {}, hushpane::kEventHotKeyExistsErr), 0);
    EXPECT_EQ(out.text(), QStringLiteral("Error registering hotkey %1: -9878\n")
                              .arg(controlOptionCommandD().presentableDescription()));
    ASSERT_EQ(lost.size(), 1);
    EXPECT_FALSE(isEnabled(toggle));
    EXPECT_TRUE(library->carbonKeyboardShortcuts().hotKeys().empty());

    // Answers for registrations the layer no longer has, or not made by it, are not its own.
    EXPECT_EQ(answer(HotKeyEventKind::hotKeyTriggerChanged, QStringLiteral("Meta+F9")),
              hushpane::kEventNotHandledErr);
    id.signature = 0x41424344;
    EXPECT_EQ(answer(HotKeyEventKind::hotKeyRefused), hushpane::kEventNotHandledErr);
}
