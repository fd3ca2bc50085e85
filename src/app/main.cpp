// The composition root: the one place that picks platform implementations and wires the
// object graph.

#include "app/AppDelegate.h"
#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/linux/DBusSingleInstance.h"
#include "backends/linux/LinuxApplicationPlatform.h"
#include "backends/linux/UnsupportedWorkspace.h"
#include "backends/linux/X11TrayPanel.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/plist/PreferencesDirectory.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "backends/posix/PosixProcessLauncher.h"
#include "backends/wayland/GnomeCustomKeybindings.h"
#include "backends/wayland/NoGlobalHotKeyService.h"
#include "backends/wayland/PortalHotKeyService.h"
#include "backends/wayland/XkbNamesKeyboardLayout.h"
#include "backends/x11/X11HotKeyService.h"
#include "backends/x11/X11KeyboardLayout.h"
#include "backends/xdg/XdgAutostartLoginItem.h"
#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfceDetection.h"
#include "backends/xfce/XfceWorkspace.h"
#include "common/Logging.h"
#include "common/UserDefaults.h"
#include "keyboard_shortcuts/Library.h"
#include "update/AppcastUpdateService.h"

#include <QApplication>
#include <QDBusConnection>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace hushpane;

namespace {

// Ends a process that only handed its URLs to the running instance. It owns no files and no
// bus name, and tearing the application down would cost more than the whole hand-off: Qt
// loads the complete font configuration only to release it.
[[noreturn]] void endWithoutTeardown(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

// How global shortcuts work in this session, and the keyboard layout that names their keys.
struct ShortcutPlatform {
    std::unique_ptr<HotKeyService> hotKeys;
    std::unique_ptr<KeyboardLayout> keyboardLayout;
    // Set where no program can have a global shortcut: the desktop's own settings can.
    std::unique_ptr<DesktopKeybindings> desktopKeybindings;
};

ShortcutPlatform makeShortcutPlatform() {
    ShortcutPlatform result;
    // On Wayland only the compositor sees every key: the portal asks it for the shortcut. An
    // X11 client in a Wayland session (XWayland) uses the portal too when there is one, since
    // its grabs see only keys meant for X11 windows.
    const bool onWayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const bool inWaylandSession =
        onWayland || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    if (inWaylandSession &&
        wayland::PortalHotKeyService::availableVersion(QDBusConnection::sessionBus()) >=
            wayland::PortalHotKeyService::kMinimumVersion) {
        result.hotKeys = std::make_unique<wayland::PortalHotKeyService>(
            QDBusConnection::sessionBus(), QStringLiteral("Hide or show the desktop icons"));
    } else if (onWayland) {
        result.hotKeys = std::make_unique<wayland::NoGlobalHotKeyService>();
        result.desktopKeybindings = std::make_unique<wayland::GnomeCustomKeybindings>();
    } else {
        result.hotKeys = std::make_unique<x11::X11HotKeyService>();
    }
    if (onWayland) {
        result.keyboardLayout = std::make_unique<wayland::XkbNamesKeyboardLayout>(
            wayland::XkbNamesKeyboardLayout::namesFromSystem());
    } else {
        result.keyboardLayout = std::make_unique<x11::X11KeyboardLayout>();
    }
    return result;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hushpane"));
    QApplication::setApplicationVersion(AppInfo::version());
    QApplication::setOrganizationDomain(QStringLiteral("hushpane.app"));
    QApplication::setDesktopFileName(QStringLiteral("hushpane"));
    // A tray utility: closing its settings window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    const CommandLine commandLine = CommandLine::parse(QApplication::arguments().mid(1));
    if (!commandLine.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(commandLine.error));
        return 2;
    }
    QStringList urlTexts;
    for (const QUrl& url : commandLine.urls) {
        urlTexts.append(url.toString());
    }

    // Signals are caught from here on, so a quit request is never lost once this process can be
    // reached as the running instance.
    LinuxApplicationPlatform platform;
    DBusSingleInstance instance;
    QString handOverError;
    switch (instance.claim(urlTexts, &handOverError)) {
        case SingleInstance::Role::forwarded:
            endWithoutTeardown(0);
        case SingleInstance::Role::failed:
            std::fprintf(stderr, "hushpane: couldn't reach the running Hushpane: %s\n",
                         qPrintable(handOverError));
            endWithoutTeardown(1);
        case SingleInstance::Role::primary:
            break;
    }

    PlistPreferenceDomain appDomain(QString::fromLatin1(kBundleIdentifier),
                                    plist::preferencesFile(QString::fromLatin1(kBundleIdentifier)));
    UserDefaults userDefaults(appDomain);
    PosixFileBookmarks fileBookmarks;
    PosixProcessLauncher launcher;
    XdgAutostartLoginItem loginItems;

    // The desktop is chosen once: XFCE's own switch when it runs, else the Finder-compatible
    // preference files.
    const QString finderDomainName = QString::fromLatin1(FinderDesktopSwitch::kFinderDomain);
    PlistPreferenceDomain finderDomain(finderDomainName, plist::preferencesFile(finderDomainName));
    std::unique_ptr<DesktopSwitch> desktopSwitch;
    std::unique_ptr<Workspace> workspace;
    bool drivesFinder = false;
    if (xfce::isXfceDesktopAvailable()) {
        // One client for both, so a timeout of one quiets the other's calls too.
        const XfconfClient xfconf(QDBusConnection::sessionBus());
        desktopSwitch = std::make_unique<XfceDesktopSwitch>(xfconf, userDefaults);
        workspace = std::make_unique<XfceWorkspace>(xfconf);
    } else {
        drivesFinder = true;
        desktopSwitch = std::make_unique<FinderDesktopSwitch>(finderDomain, launcher);
        workspace = std::make_unique<UnsupportedWorkspace>();
    }

    AppcastUpdateService updateService(userDefaults, AppInfo::version());

    const ShortcutPlatform shortcutPlatform = makeShortcutPlatform();
    KeyboardShortcuts::Library shortcuts(userDefaults, *shortcutPlatform.hotKeys,
                                         *shortcutPlatform.keyboardLayout);

    const X11TrayPanel trayPanel;
    AppServices services{userDefaults,  fileBookmarks, *desktopSwitch, *workspace,
                         updateService, platform,      loginItems,     shortcuts};
    services.desktopKeybindings = shortcutPlatform.desktopKeybindings.get();
    services.trayPanel = &trayPanel;
    services.drivesFinder = drivesFinder;
    AppDelegate delegate(services);
    platform.setActivationPolicy(ApplicationPlatform::ActivationPolicy::accessory);

    QObject::connect(&instance, &SingleInstance::activationRequested, &delegate,
                     [&delegate](const QStringList& urls) {
                         if (urls.isEmpty()) {
                             delegate.applicationShouldHandleReopen();
                             return;
                         }
                         QList<QUrl> parsed;
                         for (const QString& text : urls) {
                             parsed.append(QUrl(text));
                         }
                         delegate.openUrls(parsed);
                     });
    QObject::connect(&platform, &ApplicationPlatform::terminationRequested, &delegate,
                     &AppDelegate::terminate);

    QTimer::singleShot(0, &delegate, [&delegate, urls = commandLine.urls] {
        delegate.applicationDidFinishLaunching();
        if (!urls.isEmpty()) {
            delegate.openUrls(urls);
        }
    });
    return QApplication::exec();
}
