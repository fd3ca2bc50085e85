#include "backends/lxqt/LxqtDesktopSwitch.h"

#include "backends/x11/X11ProcessWindows.h"

#include <QCoreApplication>

namespace hushpane {

namespace {

PcmanfmDesktopSwitch::Layout lxqtLayout() {
    PcmanfmDesktopSwitch::Layout layout;
    layout.desktopName = QStringLiteral("LXQt");
    layout.files = [](const QString&) {
        return QStringList{QString::fromLatin1(LxqtDesktopSwitch::kSettingsFile)};
    };
    layout.section = QString::fromLatin1(LxqtDesktopSwitch::kSection);
    layout.hidden = {{QString::fromLatin1(LxqtDesktopSwitch::kKey), QStringLiteral("true")}};
    layout.savedKey = QString::fromLatin1(LxqtDesktopSwitch::kSavedKey);
    layout.explanation = QCoreApplication::translate(
        "hushpane::LxqtDesktopSwitch",
        "pcmanfm-qt stops drawing the files, folders and disks on the desktop; it restarts "
        "its desktop for that, so the wallpaper is drawn again. Close pcmanfm-qt's own "
        "windows first: it keeps its settings while they are open.");
    return layout;
}

}  // namespace

LxqtDesktopSwitch::LxqtDesktopSwitch(FileManagerDesktop& pcmanfmQt, UserDefaults& defaults)
    : PcmanfmDesktopSwitch(pcmanfmQt, defaults, lxqtLayout()) {}

PcmanfmDesktopProgram::Options LxqtDesktopSwitch::programOptions() {
    PcmanfmDesktopProgram::Options options;
    options.executable = QStringLiteral("pcmanfm-qt");
    options.configFolder = QStringLiteral("pcmanfm-qt");
    options.readsSettingsOnlyAtStart = true;
    options.busName = QString::fromLatin1(kBusName);
    options.desktopObjectPath = QStringLiteral("/Application");
    options.desktopInterface = QStringLiteral("org.pcmanfm.Application");
    options.desktopProperty = QStringLiteral("desktopManagerEnabled");
    options.quitMethod = QStringLiteral("quit");
    options.openWindows = &X11ProcessWindows::openWindows;
    return options;
}

}  // namespace hushpane
