#pragma once

#include "app/DesktopShortcutHint.h"
#include "settings/SettingsTexts.h"

#include <QList>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QUrl>

#include <memory>

class QAction;

namespace KeyboardShortcuts {
class Library;
}

namespace hushpane {

class AppUpdater;
class ApplicationPlatform;
class AutoHideController;
class DesktopController;
class DesktopKeybindings;
class DesktopNotifications;
class FailureNotice;
class DesktopSwitch;
class FileBookmarks;
class HideTrigger;
class LoginItemService;
class Preferences;
class SettingsWindowController;
class StatusItemController;
class TrayPanel;
class UpdateService;
class UserDefaults;
class Workspace;

// What the composition root hands the application: one real service per role.
struct AppServices {
    UserDefaults& userDefaults;
    const FileBookmarks& fileBookmarks;
    DesktopSwitch& desktopSwitch;
    Workspace& workspace;
    UpdateService& updateService;
    ApplicationPlatform& platform;
    LoginItemService& loginItems;
    KeyboardShortcuts::Library& shortcuts;
    // Where the settings explain how to bind the URL command in the desktop's own keyboard
    // settings, and offer to.
    ShortcutHelp shortcutHelp{};
    // Where a failed hide or show from outside the settings window is told (may be null).
    DesktopNotifications* notifications = nullptr;
    // What the tray icon sits on (may be null: nothing is known).
    const TrayPanel* trayPanel = nullptr;
    // What hides the icons by itself where the user switched it on (none: not watched here).
    HideTrigger* screenShareTrigger = nullptr;
    HideTrigger* mirrorTrigger = nullptr;
    // The desktop is driven through the Finder-compatible switch: the settings speak of the
    // menu bar and the Dock, as there; elsewhere of the panel and the task bar.
    bool drivesFinder = false;
    // GNOME Shell draws this session: it shows tray icons only with an extension.
    bool gnomeShell = false;
};

// Builds the object graph, decides whether the application shows up in the task bar, answers
// reopen, URL commands and quit requests, and holds the actions of the main menu.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(const AppServices& services, QObject* parent = nullptr);
    ~AppDelegate() override;

    // The launch sequence, once the event loop runs.
    void applicationDidFinishLaunching();
    // The program was started again with nothing to do: show the settings. Always false.
    bool applicationShouldHandleReopen();
    // hushpane://hide, show, toggle and settings, each handled completely in turn.
    void openUrls(const QList<QUrl>& urls);
    // The quit rule: the icons come back unless the session is ending. May always terminate.
    bool applicationShouldTerminate();
    // Every quit ends here: the quit rule, then the event loop ends.
    void terminate();

    // Main-menu actions.
    void showSettings();
    void checkForUpdates();
    void toggleDesktop();

    Preferences& preferences() { return *preferences_; }
    AppUpdater& updater() { return *updater_; }
    DesktopController& desktop();
    AutoHideController& autoHide();
    SettingsWindowController& settingsWindowController();
    StatusItemController* statusItemController() const { return statusItemController_.get(); }
    QMenu* mainMenu() const { return mainMenu_; }

private:
    void applyActivationPolicy();
    void observeDockPreference();
    bool isSystemInitiatedQuit() const;
    void bindToggleShortcut(QAction* action);
    void showAbout();
    void checkTrayAfterLaunch();
    SettingsTexts settingsTexts() const;

    AppServices services_;
    std::unique_ptr<Preferences> preferences_;
    std::unique_ptr<DesktopController> desktop_;
    std::unique_ptr<AutoHideController> autoHide_;
    std::unique_ptr<FailureNotice> failureNotice_;
    std::unique_ptr<AppUpdater> updater_;
    std::unique_ptr<StatusItemController> statusItemController_;
    std::unique_ptr<SettingsWindowController> settingsWindowController_;
    QPointer<QMenu> mainMenu_;
    bool terminating_ = false;
    // No tray showed the icon after launch: the settings say how to reach them.
    bool trayMissing_ = false;
};

}  // namespace hushpane
