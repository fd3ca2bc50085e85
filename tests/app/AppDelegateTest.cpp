#include "app/AppDelegate.h"
#include "app/ToggleShortcut.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryApplicationPlatform.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryHotKeyService.h"
#include "fakes/InMemoryKeyboardLayout.h"
#include "fakes/InMemoryLoginItemService.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryUpdateService.h"
#include "fakes/InMemoryWorkspace.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "menu/StatusItemController.h"
#include "platform/TrayPanel.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "settings/SettingsWindowController.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

using namespace hushpane;
using Policy = ApplicationPlatform::ActivationPolicy;

namespace {

class AppDelegateTest : public ::testing::Test {
protected:
    void launch() {
        delegate = std::make_unique<AppDelegate>(services);
        platform.setActivationPolicy(Policy::accessory);  // as the entry point does
        platform.policyChanges.clear();
        delegate->applicationDidFinishLaunching();
    }
    void settle() {
        for (int i = 0; i < 5; ++i) {
            QCoreApplication::processEvents();
        }
    }
    QUrl url(const char* text) { return QUrl(QString::fromLatin1(text)); }

    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryFileBookmarks bookmarks;
    test::InMemoryDesktopSwitch desktopSwitch;
    test::InMemoryWorkspace workspace;
    test::InMemoryUpdateService updates;
    test::InMemoryApplicationPlatform platform;
    test::InMemoryLoginItemService loginItems;
    test::InMemoryHotKeyService hotKeys;
    test::InMemoryKeyboardLayout layout;
    KeyboardShortcuts::Library library{defaults, hotKeys, layout};
    AppServices services{defaults, bookmarks, desktopSwitch, workspace,
                         updates,  platform,  loginItems,    library};
    std::unique_ptr<AppDelegate> delegate;
};

}  // namespace

TEST_F(AppDelegateTest, LaunchBuildsEverythingAndStaysAnAccessoryWithoutTheDockIcon) {
    desktopSwitch.creates = false;  // an earlier run left the icons hidden
    launch();
    EXPECT_TRUE(delegate->desktop().isDesktopHidden());
    EXPECT_TRUE(desktopSwitch.calls.isEmpty());  // adopted, not written
    ASSERT_NE(delegate->statusItemController(), nullptr);
    EXPECT_EQ(delegate->statusItemController()->toggleItem()->text(),
              QStringLiteral("Show Desktop Icons"));
    EXPECT_NE(delegate->mainMenu(), nullptr);
    EXPECT_EQ(platform.policy, Policy::accessory);
    EXPECT_TRUE(platform.policyChanges.isEmpty());  // not set a second time
}

TEST_F(AppDelegateTest, TheRecorderKnowsTheMainMenu) {
    launch();
    ASSERT_EQ(KeyboardShortcuts::mainMenu(), delegate->mainMenu());
    // Ctrl-Q (the platform's Command-Q) belongs to "Quit Hushpane"; the recorder finds it there.
    const KeyboardShortcuts::Shortcut quit(KeyboardShortcuts::Key::q, Qt::ControlModifier);
    QList<QAction*> menus = delegate->mainMenu()->actions();
    QAction* found = quit.menuItemWithMatchingShortcut(menus);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->text(), QStringLiteral("Quit Hushpane"));
}

TEST_F(AppDelegateTest, TheDockRuleFollowsTheSettingAndTheSettingsWindow) {
    domain.values.insert(QStringLiteral("showDockIcon"), true);
    launch();
    EXPECT_EQ(platform.policy, Policy::regular);

    delegate->preferences().setShowDockIcon(false);
    settle();
    EXPECT_EQ(platform.policy, Policy::accessory);
    delegate->preferences().setShowDockIcon(true);
    settle();
    EXPECT_EQ(platform.policy, Policy::regular);

    // With the window open, switching the setting off keeps the regular policy until it closes.
    delegate->showSettings();
    settle();
    ASSERT_TRUE(delegate->settingsWindowController().isWindowVisible());
    delegate->preferences().setShowDockIcon(false);
    settle();
    EXPECT_EQ(platform.policy, Policy::regular);
    delegate->settingsWindowController().window()->close();
    settle();
    EXPECT_EQ(platform.policy, Policy::accessory);
}

TEST_F(AppDelegateTest, UrlCommandsActInTurnAndIgnoreWhatTheyDoNotKnow) {
    launch();
    delegate->openUrls({url("HUSHPANE://Toggle")});
    EXPECT_TRUE(delegate->desktop().isDesktopHidden());
    delegate->openUrls(
        {url("hushpane://quit"), url("hushpane:"), url("http://hide"), url("hushpane:///hide")});
    EXPECT_EQ(desktopSwitch.calls, QList<bool>{false});

    delegate->openUrls({url("hushpane://show/and/a/path?q=1#f"), url("hushpane://hide")});
    EXPECT_EQ(desktopSwitch.calls, (QList<bool>{false, true, false}));
    EXPECT_TRUE(delegate->desktop().isDesktopHidden());

    delegate->openUrls({url("hushpane://settings")});
    EXPECT_FALSE(delegate->settingsWindowController().isWindowVisible());  // a turn later
    settle();
    EXPECT_TRUE(delegate->settingsWindowController().isWindowVisible());
}

TEST_F(AppDelegateTest, ReopenShowsTheSettingsAndAnswersFalse) {
    launch();
    EXPECT_FALSE(delegate->applicationShouldHandleReopen());
    settle();
    EXPECT_TRUE(delegate->settingsWindowController().isWindowVisible());
    EXPECT_EQ(platform.policy, Policy::regular);
}

TEST_F(AppDelegateTest, TheUsersQuitShowsTheDesktopAndTheSessionsDoesNot) {
    launch();
    delegate->applicationShouldTerminate();  // shown: nothing to do
    EXPECT_TRUE(desktopSwitch.calls.isEmpty());

    delegate->desktop().hide();
    platform.sessionEnding = true;
    EXPECT_TRUE(delegate->applicationShouldTerminate());
    EXPECT_EQ(desktopSwitch.calls, QList<bool>{false});
    EXPECT_TRUE(delegate->desktop().isDesktopHidden());

    platform.sessionEnding = false;
    EXPECT_TRUE(delegate->applicationShouldTerminate());
    EXPECT_EQ(desktopSwitch.calls, (QList<bool>{false, true}));
    EXPECT_FALSE(delegate->desktop().isDesktopHidden());
}

TEST_F(AppDelegateTest, TheToggleShortcutRunsOnKeyUpAndNotWhileRecording) {
    // The name is made once per process, so this test's fresh defaults get its default here.
    const auto& name = toggleDesktopName();
    ASSERT_TRUE(name.defaultShortcut());
    KeyboardShortcuts::setShortcut(name.defaultShortcut(), name);
    launch();
    const auto shortcut = KeyboardShortcuts::getShortcut(name);
    ASSERT_TRUE(shortcut);
    EXPECT_EQ(shortcut->carbonKeyCode(), 2);
    EXPECT_EQ(shortcut->carbonModifiers(), 6400);
    const auto code = static_cast<quint32>(shortcut->carbonKeyCode());
    const auto mods = static_cast<quint32>(shortcut->carbonModifiers());

    hotKeys.press(code, mods);
    EXPECT_TRUE(desktopSwitch.calls.isEmpty());  // key down does nothing
    hotKeys.release(code, mods);
    EXPECT_EQ(desktopSwitch.calls, QList<bool>{false});

    KeyboardShortcuts::setPaused(true);
    hotKeys.press(code, mods);
    hotKeys.release(code, mods);
    EXPECT_EQ(desktopSwitch.calls, QList<bool>{false});
    KeyboardShortcuts::setPaused(false);

    hotKeys.release(code, mods);
    EXPECT_EQ(desktopSwitch.calls, (QList<bool>{false, true}));
}

namespace {

// The item of that title anywhere in `menu` and its submenus.
QAction* item(const QMenu* menu, const QString& title) {
    for (QAction* action : menu->actions()) {
        if (action->text() == title) {
            return action;
        }
        if (action->menu()) {
            if (QAction* found = item(action->menu(), title)) {
                return found;
            }
        }
    }
    return nullptr;
}

}  // namespace

TEST_F(AppDelegateTest, TheMenusAndTheSettingsWindowReachTheDelegate) {
    const auto& name = toggleDesktopName();
    KeyboardShortcuts::setShortcut(name.defaultShortcut(), name);
    launch();
    QMenu* menu = delegate->mainMenu();
    StatusItemController* tray = delegate->statusItemController();
    // Both toggle items show the toggle shortcut.
    QAction* toggle = item(menu, QStringLiteral("Toggle Desktop Icons"));
    ASSERT_NE(toggle, nullptr);
    EXPECT_FALSE(tray->toggleItem()->shortcut().isEmpty());
    EXPECT_EQ(toggle->shortcut(), tray->toggleItem()->shortcut());

    toggle->trigger();
    EXPECT_EQ(desktopSwitch.calls, QList<bool>{false});
    item(menu, QStringLiteral("Check for Updates…"))->trigger();
    item(tray->menu(), QStringLiteral("Check for Updates…"))->trigger();
    EXPECT_EQ(updates.checks, 2);
    EXPECT_EQ(platform.activations, 2);  // the application came forward for each

    item(menu, QStringLiteral("Settings…"))->trigger();
    settle();
    ASSERT_TRUE(delegate->settingsWindowController().isWindowVisible());
    delegate->settingsWindowController().window()->close();
    settle();
    item(tray->menu(), QStringLiteral("Settings…"))->trigger();
    settle();
    EXPECT_TRUE(delegate->settingsWindowController().isWindowVisible());
}

TEST_F(AppDelegateTest, EveryQuitItemGoesThroughTheQuitRule) {
    const std::function<void()> quitFrom[] = {
        [this] { item(delegate->mainMenu(), QStringLiteral("Quit Hushpane"))->trigger(); },
        [this] {
            item(delegate->statusItemController()->menu(), QStringLiteral("Quit Hushpane"))
                ->trigger();
        },
        [this] {
            delegate->showSettings();
            settle();
            delegate->settingsWindowController()
                .view()
                ->findChild<QPushButton*>(QStringLiteral("quit"))
                ->click();
        },
    };
    for (const auto& quit : quitFrom) {
        delegate.reset();
        launch();
        delegate->desktop().hide();
        quit();
        EXPECT_FALSE(delegate->desktop().wantsDesktopHidden());
    }
}

namespace {

// A panel that always looks the same, and counts how often it was asked.
class FixedPanel : public TrayPanel {
public:
    TrayPanelLook look(const QRect&) const override {
        ++asked;
        return {std::nullopt, QColor(0x35, 0x35, 0x35)};
    }
    bool isAvailable() const override { return available; }
    bool drawsMenu() const override { return hostMenu; }
    mutable int asked = 0;
    bool available = true;
    bool hostMenu = false;
};

QLabel* reachHint(SettingsWindowController& controller) {
    return controller.window()->findChild<QLabel*>(QStringLiteral("reachHint"));
}

QStringList headers(SettingsWindowController& controller) {
    QStringList out;
    for (QLabel* label : controller.window()->findChildren<QLabel*>(QStringLiteral("header"))) {
        out.append(label->text());
    }
    return out;
}

}  // namespace

TEST_F(AppDelegateTest, TheSettingsSpeakOfThePanelUnlessTheFinderSwitchIsDriven) {
    FixedPanel panel;
    services.trayPanel = &panel;
    launch();
    EXPECT_GT(panel.asked, 0);
    // Light on the dark panel, no outline: the panel's look was used.
    EXPECT_FALSE(delegate->statusItemController()->currentColours().outline);
    delegate->showSettings();
    settle();
    EXPECT_TRUE(
        headers(delegate->settingsWindowController()).contains(QStringLiteral("Panel Icon")));

    delegate.reset();
    services.drivesFinder = true;
    launch();
    delegate->showSettings();
    settle();
    EXPECT_TRUE(headers(delegate->settingsWindowController()).contains(QStringLiteral("Menu Bar")));
}

// Without a tray nothing of Hushpane would show: the settings open once and say how to reach
// them, on GNOME naming the extension that gives a tray. With a tray they stay closed.
TEST_F(AppDelegateTest, WithoutATrayTheSettingsOpenOnceAndSayHowToComeBack) {
    FixedPanel panel;
    services.trayPanel = &panel;
    for (const bool gnome : {false, true}) {
        SCOPED_TRACE(gnome);
        services.gnomeShell = gnome;
        panel.available = false;
        launch();
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return delegate->settingsWindowController().isWindowVisible(); }, 10000));
        QLabel* hint = reachHint(delegate->settingsWindowController());
        ASSERT_NE(hint, nullptr);
        EXPECT_TRUE(hint->isVisible());
        EXPECT_TRUE(hint->text().contains(QStringLiteral("hushpane hushpane://settings")));
        EXPECT_EQ(hint->text().contains(QStringLiteral("gnome-shell-extension-appindicator")),
                  gnome);
        delegate.reset();
    }

    panel.available = true;
    launch();
    QTest::qWait(3500);
    EXPECT_FALSE(delegate->settingsWindowController().isWindowVisible());
    delegate->showSettings();
    settle();
    EXPECT_FALSE(reachHint(delegate->settingsWindowController())->isVisible());
}

// Where a task bar lists only windows, the Dock-icon switch would show nothing: it is left
// out, and a stored "on" from elsewhere changes nothing.
TEST_F(AppDelegateTest, WithoutAnApplicationIconTheTaskBarSwitchIsLeftOut) {
    domain.values.insert(QStringLiteral("showDockIcon"), true);
    for (const bool icon : {true, false}) {
        SCOPED_TRACE(icon);
        platform.applicationIcon = icon;
        launch();
        EXPECT_EQ(platform.policy, icon ? Policy::regular : Policy::accessory);
        delegate->showSettings();
        settle();
        const auto* row = delegate->settingsWindowController().window()->findChild<QWidget*>(
            QStringLiteral("showInDock"));
        ASSERT_NE(row, nullptr);
        EXPECT_EQ(row->isVisible(), icon);
        delegate.reset();
    }
}

// A panel that draws the menu opens it on the right button and hands the left one on as the
// item's activation: the settings. Its keyboard is its own: the toggle item gets no keys.
TEST_F(AppDelegateTest, WhereThePanelDrawsTheMenuALeftClickOpensTheSettings) {
    FixedPanel panel;
    panel.hostMenu = true;
    services.trayPanel = &panel;
    launch();
    StatusItemController* tray = delegate->statusItemController();
    EXPECT_TRUE(tray->toggleItem()->shortcut().isEmpty());
    Q_EMIT tray->statusItem()->activated(QSystemTrayIcon::Trigger);
    settle();
    EXPECT_TRUE(delegate->settingsWindowController().isWindowVisible());
    EXPECT_FALSE(tray->menu()->isVisible());
}
