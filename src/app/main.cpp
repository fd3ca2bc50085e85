// The composition root: the one place that picks platform implementations and wires the
// object graph.

#include "app/AppDelegate.h"
#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/DesktopDrivers.h"
#include "app/DesktopKeybindingsCache.h"
#include "app/PluginHideTrigger.h"
#include "app/Translations.h"
#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/linux/DBusSingleInstance.h"
#include "backends/linux/FreedesktopNotifications.h"
#include "backends/linux/LinuxApplicationPlatform.h"
#include "backends/linux/SessionBusHandOff.h"
#include "backends/linux/UnsupportedWorkspace.h"
#include "backends/linux/X11TrayPanel.h"
#include "backends/pipewire/PipeWireSession.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/plist/PreferencesDirectory.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "backends/posix/PosixProcessLauncher.h"
#include "backends/qt/MirroredScreens.h"
#include "backends/wayland/NoGlobalHotKeyService.h"
#include "backends/wayland/PortalHotKeyService.h"
#include "backends/wayland/XkbNamesKeyboardLayout.h"
#include "backends/x11/X11DesktopKeybindings.h"
#include "backends/x11/X11HotKeyService.h"
#include "backends/x11/X11KeyboardLayout.h"
#include "backends/xdg/XdgAutostartLoginItem.h"
#include "common/Logging.h"
#include "common/PluginLoader.h"
#include "common/UserDefaults.h"
#include "keyboard_shortcuts/Library.h"
#include "keyboard_shortcuts/MenuShortcutStyle.h"
#include "keyboard_shortcuts/Shortcut.h"
#include "services/Preferences.h"
#include "update/AppcastUpdateService.h"
#include "update/PackageManagedUpdateService.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDBusConnection>
#include <QStyleFactory>
#include <QTimer>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include <xcb/xcb.h>

using namespace hushpane;

namespace {

// Ends a process that only handed its URLs to the running instance. It owns no files and no
// bus name, and tearing the application down would cost more than the whole hand-off: Qt
// loads the complete font configuration only to release it.
[[noreturn]] void endWithoutTeardown(int status) {
    std::fflush(nullptr);
    std::_Exit(status);
}

// When the desktop's own shortcuts are first read, after the tray icon is up.
constexpr int kKeybindingsFirstReadMs = 2000;

// How global shortcuts work in this session, and the keyboard layout that names their keys.
struct ShortcutPlatform {
    std::unique_ptr<HotKeyService> hotKeys;
    std::unique_ptr<KeyboardLayout> keyboardLayout;
    // Where the settings show how to bind the shortcut in the desktop's own settings, and
    // what adds it there (GNOME).
    ShortcutHelp::Shown helpShown = ShortcutHelp::Shown::never;
    std::unique_ptr<DesktopKeybindings> desktopKeybindings;
    // What the desktop does on which keys, where it can tell: the recorder names it.
    std::unique_ptr<DesktopKeybindings> desktopActions;
};

// The portal files the shortcut under the program's desktop entry, asked on a connection of its
// own (the portal takes the name only before any other call from a connection). Keys recorded
// later go to the desktop's own shortcut store where it has one that the portal defers to.
std::unique_ptr<HotKeyService> makePortalHotKeys(uint version, const DesktopDriver& desktop) {
    auto portal = std::make_unique<wayland::PortalHotKeyService>(
        QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                      QStringLiteral("hushpane-portal")),
        QStringLiteral("Hide or show the desktop icons"),
        QString::fromLatin1(AppInfo::kDesktopEntryId));
    portal->setConfigurable(version >= 2);
    if (const auto rekey = desktop.rekeyPortalShortcut) {
        portal->setRekey([rekey](const QString& appId, const QString& shortcutId,
                                 const QString& description, CarbonKeyCode keyCode,
                                 quint32 modifiers) {
            const QKeySequence keys = KeyboardShortcuts::Shortcut(keyCode, modifiers).keySequence();
            return !keys.isEmpty() && rekey(appId, shortcutId, description, keys[0].toCombined());
        });
    }
    return portal;
}

// The desktop's own shortcuts come from its driver; `desktop` outlives the platform.
ShortcutPlatform makeShortcutPlatform(DesktopDriver& desktop) {
    ShortcutPlatform result;
    // On Wayland only the compositor sees every key: the portal asks it for the shortcut. An
    // X11 client in a Wayland session (XWayland) uses the portal too when there is one, since
    // its grabs see only keys meant for X11 windows.
    const bool onWayland = QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
    const bool inWaylandSession =
        onWayland || qEnvironmentVariable("XDG_SESSION_TYPE") == QLatin1String("wayland");
    const uint portalVersion =
        inWaylandSession
            ? wayland::PortalHotKeyService::availableVersion(QDBusConnection::sessionBus())
            : 0;
    if (portalVersion >= wayland::PortalHotKeyService::kMinimumVersion) {
        result.hotKeys = makePortalHotKeys(portalVersion, desktop);
        result.helpShown = ShortcutHelp::Shown::whileUnbound;
        // GNOME binds a command on the user's keys in its own settings when its portal does not.
        result.desktopKeybindings = std::move(desktop.commandKeybindings);
    } else if (onWayland) {
        result.hotKeys = std::make_unique<wayland::NoGlobalHotKeyService>();
        result.helpShown = ShortcutHelp::Shown::always;
        result.desktopKeybindings = std::move(desktop.commandKeybindings);
    } else {
        auto x11HotKeys = std::make_unique<x11::X11HotKeyService>();
        // Checked when a recording takes keys: the desktop's own shortcuts, read from its store
        // off the main thread, first a while after the start.
        auto cache = std::make_shared<DesktopKeybindingsCache>(desktop.keybindings);
        QTimer::singleShot(kKeybindingsFirstReadMs, cache.get(), &DesktopKeybindingsCache::refresh);
        const auto readKeybindings = [cache] { return cache->read(); };
        x11HotKeys->setAcceleratorReader([readKeybindings] {
            QStringList accelerators;
            for (const DesktopAccelerator& keybinding : readKeybindings()) {
                accelerators.append(keybinding.accelerator);
            }
            return accelerators;
        });
        result.hotKeys = std::move(x11HotKeys);
        result.desktopActions = std::make_unique<x11::X11DesktopKeybindings>(readKeybindings);
    }
    if (onWayland) {
        result.keyboardLayout = std::make_unique<wayland::XkbNamesKeyboardLayout>(
            wayland::XkbNamesKeyboardLayout::namesFromSystem());
    } else {
        result.keyboardLayout = std::make_unique<x11::X11KeyboardLayout>();
    }
    return result;
}

[[noreturn]] void reportUnreachable(const QString& reason) {
    std::fprintf(stderr, "hushpane: couldn't reach the running Hushpane: %s\n", qPrintable(reason));
    endWithoutTeardown(1);
}

// --help, --version and refusals, in the user's language; a core application is enough.
int answerWithoutRunning(int argc, char** argv, const QStringList& arguments) {
    const QCoreApplication core(argc, argv);
    Translations::install();
    const CommandLine commandLine = CommandLine::parse(arguments);
    switch (commandLine.action) {
        case CommandLine::Action::showHelp:
            std::fputs(qPrintable(CommandLine::helpText()), stdout);
            return 0;
        case CommandLine::Action::showVersion:
            std::fputs(qPrintable(CommandLine::versionText()), stdout);
            return 0;
        case CommandLine::Action::refuse:
            std::fprintf(stderr, "%s\n", qPrintable(commandLine.error));
            return 2;
        case CommandLine::Action::run:
            break;
    }
    return 0;
}

// Qt needs a UTF-8 locale: from 6.8 it switches the plain C locale to C.UTF-8 itself and warns
// on every start, so a hushpane run without LANG (from a service, a bare shell, a script) would
// print that before each answer. The same switch, made quietly before Qt looks; a real locale
// of another encoding still gets Qt's warning.
void preferUtf8OverThePlainCLocale() {
    const char* current = std::setlocale(LC_CTYPE, "");
    if (current == nullptr || (qstrcmp(current, "C") != 0 && qstrcmp(current, "POSIX") != 0)) {
        return;
    }
    qputenv(qEnvironmentVariableIsEmpty("LC_ALL") ? "LC_CTYPE" : "LC_ALL", "C.UTF-8");
    std::setlocale(LC_CTYPE, "C.UTF-8");
}

// Whether the tray can be shown at all; without this the GUI start aborts the process.
// Why there is no display to start on, or nothing: Qt's xcb platform aborts the program when
// DISPLAY is unset or names a server that does not answer.
std::optional<std::string> missingDisplay() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(u"xcb")) {
        return std::nullopt;  // offscreen, wayland, ...: Qt says itself when that fails
    }
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return std::nullopt;
    }
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        return std::string("DISPLAY is not set");
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (!answers) {
        return "DISPLAY=" + qEnvironmentVariable("DISPLAY").toStdString() + " cannot be opened";
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    preferUtf8OverThePlainCLocale();
    // Parsed and handed off before any application object exists: --help, --version and a
    // hand-off to the running instance work without a display and cost no GUI start.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const CommandLine commandLine = CommandLine::parse(arguments);
    if (commandLine.action != CommandLine::Action::run) {
        return answerWithoutRunning(argc, argv, arguments);
    }
    QStringList urlTexts;
    for (const QUrl& url : commandLine.urls) {
        urlTexts.append(url.toString());
    }
    QString handOverError;
    switch (SessionBusHandOff::deliver(urlTexts, &handOverError)) {
        case SessionBusHandOff::Result::delivered:
            endWithoutTeardown(0);
        case SessionBusHandOff::Result::failed:
            reportUnreachable(handOverError);
        case SessionBusHandOff::Result::nobodyRunning:
            break;
    }
    if (const std::optional<std::string> missing = missingDisplay()) {
        std::fprintf(stderr, "hushpane: no display to show the tray icon on (%s)\n",
                     missing->c_str());
        return 1;
    }

    installLogHandler();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Hushpane"));
    QApplication::setApplicationVersion(AppInfo::version());
    QApplication::setOrganizationDomain(QStringLiteral("hushpane.app"));
    QApplication::setDesktopFileName(QString::fromLatin1(AppInfo::kDesktopEntryId));
    QApplication::setWindowIcon(AppInfo::icon());
    Translations::install();
    // Menus write shortcuts as the recorder does.
    QApplication::setStyle(new KeyboardShortcuts::MenuShortcutStyle(
        QStyleFactory::create(QApplication::style()->name())));
    // A tray utility: closing its settings window does not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // Signals are caught from here on, so a quit request is never lost once this process can be
    // reached as the running instance.
    LinuxApplicationPlatform platform;
    DBusSingleInstance instance;
    // Another start may have become the running instance meanwhile: then this one hands over.
    switch (instance.claim(urlTexts, &handOverError)) {
        case SingleInstance::Role::forwarded:
            endWithoutTeardown(0);
        case SingleInstance::Role::failed:
            reportUnreachable(handOverError);
        case SingleInstance::Role::primary:
            break;
    }

    PlistPreferenceDomain appDomain(QString::fromLatin1(kBundleIdentifier),
                                    plist::preferencesFile(QString::fromLatin1(kBundleIdentifier)));
    UserDefaults userDefaults(appDomain);
    PosixFileBookmarks fileBookmarks;
    PosixProcessLauncher launcher;
    // At login the desktop runs the command, which starts the program.
    XdgAutostartLoginItem loginItems(AppInfo::launcherPath(),
                                     XdgAutostartLoginItem::defaultAutostartDirectory());

    // The desktop is chosen once, by the stored choice or by what runs in this session.
    const QString finderDomainName = QString::fromLatin1(FinderDesktopSwitch::kFinderDomain);
    PlistPreferenceDomain finderDomain(finderDomainName, plist::preferencesFile(finderDomainName));
    const DesktopDriverContext driverContext{QDBusConnection::sessionBus(), userDefaults, launcher,
                                             finderDomain};
    DesktopDriver driver = makeDesktopDriver(
        driverContext,
        userDefaults.stringForKey(QString::fromLatin1(Preferences::kDesktopDriverKey))
            .value_or(QString()),
        DesktopEnvironment::ofThisSession());
    DesktopSwitch& desktopSwitch = *driver.desktopSwitch;
    Workspace& workspace = *driver.workspace;

#if HUSHPANE_UPDATE_CHECK
    AppcastUpdateService updateService(userDefaults, AppInfo::version());
#else
    PackageManagedUpdateService updateService;
#endif

    const ShortcutPlatform shortcutPlatform = makeShortcutPlatform(driver);
    KeyboardShortcuts::Library shortcuts(userDefaults, *shortcutPlatform.hotKeys,
                                         *shortcutPlatform.keyboardLayout);
    shortcuts.setDesktopKeybindings(shortcutPlatform.desktopActions.get());

    const X11TrayPanel trayPanel(
        X11TrayPanel::hasStatusNotifierHost(QDBusConnection::sessionBus()));
    FreedesktopNotifications notifications;
    AppServices services{userDefaults,  fileBookmarks, desktopSwitch, workspace,
                         updateService, platform,      loginItems,    shortcuts};
    services.shortcutHelp = {shortcutPlatform.helpShown, shortcutPlatform.desktopKeybindings.get()};
    services.trayPanel = &trayPanel;
    services.notifications = &notifications;
    services.drivesFinder = driver.hasMenuBarAndDock;
    services.gnomeShell = driver.trayNeedsShellExtension;
    std::unique_ptr<HideTrigger> mirrorTrigger = std::move(driver.mirroredDisplays);
    if (!mirrorTrigger) {
        mirrorTrigger = std::make_unique<MirroredScreens>();
    }
    services.mirrorTrigger = mirrorTrigger.get();
    // libpipewire loads with its plugin, once the switch is on.
    PluginHideTrigger screenCasts(
        QStringLiteral("hushpane-pipewire-screen-casts"), pluginDirectories(),
        &pipewire::PipeWireSession::unavailableReason, &pipewire::PipeWireSession::limitation);
    services.screenShareTrigger = &screenCasts;
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
