#include "app/AppDelegate.h"

#include "app/AppInfo.h"
#include "app/MainMenu.h"
#include "app/ToggleShortcut.h"
#include "app/UrlCommand.h"
#include "keyboard_shortcuts/ActionShortcut.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "menu/StatusItemController.h"
#include "platform/ApplicationPlatform.h"
#include "platform/TrayPanel.h"
#include "services/AppUpdater.h"
#include "services/AutoHideController.h"
#include "services/DesktopController.h"
#include "services/FailureNotice.h"
#include "services/Preferences.h"
#include "settings/SettingsWindowController.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

#include <chrono>

namespace hushpane {

using Policy = ApplicationPlatform::ActivationPolicy;

namespace {
constexpr std::chrono::seconds kTrayGracePeriod{3};
}  // namespace

AppDelegate::AppDelegate(const AppServices& services, QObject* parent)
    : QObject(parent),
      services_(services),
      preferences_(std::make_unique<Preferences>(services.userDefaults, services.fileBookmarks)),
      updater_(std::make_unique<AppUpdater>(services.updateService)) {
    connect(updater_.get(), &AppUpdater::activationRequested, this,
            [this] { services_.platform.activate(); });
}

AppDelegate::~AppDelegate() {
    // The window controller refers to the menu bar and the objects below; it goes first.
    settingsWindowController_.reset();
    statusItemController_.reset();
    autoHide_.reset();
    delete mainMenu_;
}

DesktopController& AppDelegate::desktop() {
    if (!desktop_) {
        desktop_ = std::make_unique<DesktopController>(services_.desktopSwitch, *preferences_,
                                                       services_.workspace);
        if (services_.notifications) {
            failureNotice_ = std::make_unique<FailureNotice>(*desktop_, *services_.notifications);
        }
    }
    return *desktop_;
}

AutoHideController& AppDelegate::autoHide() {
    if (!autoHide_) {
        autoHide_ = std::make_unique<AutoHideController>(desktop(), *preferences_);
        autoHide_->setTrigger(AutoHideController::Trigger::screenShared,
                              services_.screenShareTrigger);
        autoHide_->setTrigger(AutoHideController::Trigger::mirrored, services_.mirrorTrigger);
    }
    return *autoHide_;
}

SettingsWindowController& AppDelegate::settingsWindowController() {
    if (!settingsWindowController_) {
        DesktopController& desktopController = desktop();
        settingsWindowController_ = std::make_unique<SettingsWindowController>(
            *preferences_, desktopController, *updater_, services_.loginItems, AppInfo::version(),
            [&library = services_.shortcuts, help = services_.shortcutHelp](const QString& label,
                                                                            QWidget* parent) {
                return makeToggleShortcutRow(library, label, parent, help);
            },
            mainMenu_);
        connect(settingsWindowController_.get(), &SettingsWindowController::quitRequested, this,
                &AppDelegate::terminate);
        connect(settingsWindowController_.get(), &SettingsWindowController::visibilityChanged, this,
                &AppDelegate::applyActivationPolicy);
        settingsWindowController_->setTexts(settingsTexts());
        settingsWindowController_->setAutoHide(&autoHide());
    }
    return *settingsWindowController_;
}

void AppDelegate::applicationDidFinishLaunching() {
    const MainMenu menu = makeMainMenu();
    connect(menu.about, &QAction::triggered, this, &AppDelegate::showAbout);
    connect(menu.settings, &QAction::triggered, this, &AppDelegate::showSettings);
    connect(menu.checkForUpdates, &QAction::triggered, this, &AppDelegate::checkForUpdates);
    connect(menu.quit, &QAction::triggered, this, &AppDelegate::terminate);
    connect(menu.toggleDesktop, &QAction::triggered, this, &AppDelegate::toggleDesktop);
    bindToggleShortcut(menu.toggleDesktop);
    mainMenu_ = menu.menu;
    // The recorder refuses shortcuts that an item of this menu already uses.
    services_.shortcuts.setMainMenu(mainMenu_);

    desktop();

    statusItemController_ = std::make_unique<StatusItemController>(desktop(), *preferences_,
                                                                   *updater_, services_.trayPanel);
    connect(statusItemController_.get(), &StatusItemController::settingsRequested, this,
            &AppDelegate::showSettings);
    connect(statusItemController_.get(), &StatusItemController::quitRequested, this,
            &AppDelegate::terminate);
    // A menu the panel draws holds the keyboard itself: the shortcut would not work there.
    if (!statusItemController_->menuDrawnByHost()) {
        bindToggleShortcut(statusItemController_->toggleItem());
    }

    services_.shortcuts.onKeyUp(toggleDesktopName(), this, [this] { toggleDesktop(); });

    statusItemController_->setAutoHide(autoHide());
    autoHide().start();

    applyActivationPolicy();
    observeDockPreference();
    checkTrayAfterLaunch();
}

void AppDelegate::checkTrayAfterLaunch() {
    const TrayPanel* panel = services_.trayPanel;
    if (panel == nullptr || panel->isAvailable()) {
        return;
    }
    // A panel started with the session may come up a moment after this program. Without one,
    // nothing of Hushpane would show: the settings open once and say how to come back to them.
    QTimer::singleShot(kTrayGracePeriod, this, [this] {
        if (services_.trayPanel->isAvailable()) {
            return;
        }
        trayMissing_ = true;
        if (settingsWindowController_) {
            settingsWindowController_->setTexts(settingsTexts());
        }
        showSettings();
    });
}

SettingsTexts AppDelegate::settingsTexts() const {
    SettingsTexts texts =
        services_.drivesFinder ? SettingsTexts::finder() : SettingsTexts::linuxDesktop();
    if (!services_.platform.hasApplicationIcon()) {
        texts.taskBarSwitch.clear();
    }
    if (trayMissing_) {
        texts.reachHint = SettingsTexts::noTrayHint(services_.gnomeShell);
    }
    return texts;
}

void AppDelegate::bindToggleShortcut(QAction* action) {
    KeyboardShortcuts::setShortcut(services_.shortcuts, action, toggleDesktopName());
}

bool AppDelegate::applicationShouldHandleReopen() {
    settingsWindowController().show();
    return false;
}

void AppDelegate::openUrls(const QList<QUrl>& urls) {
    for (const QUrl& url : urls) {
        const std::optional<UrlCommand> command = urlCommand(url);
        if (!command) {
            continue;  // another scheme, no host, or a word that is no command
        }
        switch (*command) {
            case UrlCommand::hide:
                desktop().hide();
                break;
            case UrlCommand::show:
                desktop().show();
                break;
            case UrlCommand::toggle:
                toggleDesktop();
                break;
            case UrlCommand::settings:
                settingsWindowController().show();
                break;
        }
    }
}

bool AppDelegate::applicationShouldTerminate() {
    // Quitting shows the icons whatever hid them; nothing is left to follow on at the next start.
    if (!isSystemInitiatedQuit()) {
        autoHide().stop();
    }
    DesktopController& controller = desktop();
    if (controller.wantsDesktopHidden() && !isSystemInitiatedQuit()) {
        controller.show();
    }
    // A change still waiting for its turn is made now, or never.
    controller.finishPendingChange();
    return true;
}

void AppDelegate::terminate() {
    if (terminating_) {
        return;
    }
    terminating_ = true;
    applicationShouldTerminate();
    QCoreApplication::quit();
}

bool AppDelegate::isSystemInitiatedQuit() const {
    return services_.platform.isSessionEnding();
}

void AppDelegate::showSettings() {
    settingsWindowController().show();
}

void AppDelegate::checkForUpdates() {
    updater_->checkForUpdates();
}

void AppDelegate::toggleDesktop() {
    DesktopController& controller = desktop();
    if (controller.wantsDesktopHidden()) {
        controller.show();
    } else {
        controller.hide();
    }
}

void AppDelegate::applyActivationPolicy() {
    // Where the application has no icon apart from its windows, the setting shows nothing.
    const bool dockIcon = services_.platform.hasApplicationIcon() && preferences_->showDockIcon();
    const Policy wanted = dockIcon || settingsWindowController().isWindowVisible()
                              ? Policy::regular
                              : Policy::accessory;
    if (services_.platform.activationPolicy() != wanted) {
        services_.platform.setActivationPolicy(wanted);
    }
}

void AppDelegate::observeDockPreference() {
    // Queued, so the policy is worked out from the new value after the change has finished.
    connect(preferences_.get(), &Preferences::showDockIconChanged, this,
            &AppDelegate::applyActivationPolicy, Qt::QueuedConnection);
}

void AppDelegate::showAbout() {
    services_.platform.activate();
    QMessageBox::about(nullptr, tr("About Hushpane"),
                       tr("<b>Hushpane</b> %1<p>An empty desktop on demand.</p>")
                           .arg(AppInfo::version().toHtmlEscaped()));
}

}  // namespace hushpane
