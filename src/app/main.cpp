// The composition root: the one place that picks platform implementations and wires the
// object graph.

#include "app/AppDelegate.h"
#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/Translations.h"
#include "backends/finder/FinderDesktopSwitch.h"
#include "backends/linux/DBusSingleInstance.h"
#include "backends/linux/LinuxApplicationPlatform.h"
#include "backends/linux/SessionBusHandOff.h"
#include "backends/linux/UnsupportedWorkspace.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/plist/PreferencesDirectory.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "backends/posix/PosixProcessLauncher.h"
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
#include "update/PackageManagedUpdateService.h"

#include <QApplication>
#include <QCoreApplication>
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

// Whether the tray can be shown at all; without this the GUI start aborts the process.
bool hasDisplay() {
    const QString platform = qEnvironmentVariable("QT_QPA_PLATFORM");
    if (!platform.isEmpty() && !platform.startsWith(u"xcb")) {
        return true;  // offscreen, wayland, ...: Qt says itself when that fails
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
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
    if (!hasDisplay()) {
        std::fputs("hushpane: no display to show the tray icon on (DISPLAY is not set)\n", stderr);
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
    XdgAutostartLoginItem loginItems;

    // The desktop is chosen once: XFCE's own switch when it runs, else the Finder-compatible
    // preference files.
    const QString finderDomainName = QString::fromLatin1(FinderDesktopSwitch::kFinderDomain);
    PlistPreferenceDomain finderDomain(finderDomainName, plist::preferencesFile(finderDomainName));
    std::unique_ptr<DesktopSwitch> desktopSwitch;
    std::unique_ptr<Workspace> workspace;
    if (xfce::isXfceDesktopAvailable()) {
        // One client for both, so a timeout of one quiets the other's calls too.
        const XfconfClient xfconf(QDBusConnection::sessionBus());
        desktopSwitch = std::make_unique<XfceDesktopSwitch>(xfconf, userDefaults);
        workspace = std::make_unique<XfceWorkspace>(xfconf);
    } else {
        desktopSwitch = std::make_unique<FinderDesktopSwitch>(finderDomain, launcher);
        workspace = std::make_unique<UnsupportedWorkspace>();
    }

#if HUSHPANE_UPDATE_CHECK
    AppcastUpdateService updateService(userDefaults, AppInfo::version());
#else
    PackageManagedUpdateService updateService;
#endif

    // Global shortcuts: grabs on the X display and the keyboard layout for their names.
    x11::X11HotKeyService hotKeys;
    x11::X11KeyboardLayout keyboardLayout;
    KeyboardShortcuts::Library shortcuts(userDefaults, hotKeys, keyboardLayout);

    AppDelegate delegate(AppServices{userDefaults, fileBookmarks, *desktopSwitch, *workspace,
                                     updateService, platform, loginItems});
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
