#include "backends/lxde/LxdeDesktopSwitch.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include <algorithm>

namespace hushpane {

namespace {

PcmanfmDesktopSwitch::Layout lxdeLayout(const QString& emptyFolder) {
    PcmanfmDesktopSwitch::Layout layout;
    layout.desktopName = QStringLiteral("LXDE");
    layout.files = &LxdeDesktopSwitch::itemFiles;
    layout.section = QString::fromLatin1(LxdeDesktopSwitch::kSection);
    layout.hidden = {{QStringLiteral("folder"), emptyFolder},
                     {QStringLiteral("show_documents"), QStringLiteral("0")},
                     {QStringLiteral("show_trash"), QStringLiteral("0")},
                     {QStringLiteral("show_mounts"), QStringLiteral("0")}};
    layout.emptyFolder = emptyFolder;
    layout.savedKey = QString::fromLatin1(LxdeDesktopSwitch::kSavedKey);
    layout.explanation = QCoreApplication::translate(
        "hushpane::LxdeDesktopSwitch",
        "pcmanfm stops drawing the files, folders, trash and disks on the desktop; its "
        "desktop goes off for a moment and comes back with the wallpaper only. Open windows "
        "stay.");
    return layout;
}

}  // namespace

LxdeDesktopSwitch::LxdeDesktopSwitch(FileManagerDesktop& pcmanfm, UserDefaults& defaults,
                                     const QString& emptyFolder)
    : PcmanfmDesktopSwitch(pcmanfm, defaults, lxdeLayout(emptyFolder)) {}

PcmanfmDesktopProgram::Options LxdeDesktopSwitch::programOptions() {
    PcmanfmDesktopProgram::Options options;
    options.executable = QStringLiteral("pcmanfm");
    options.configFolder = QStringLiteral("pcmanfm");
    options.socketPrefix = QStringLiteral("pcmanfm-socket-");
    return options;
}

QString LxdeDesktopSwitch::defaultEmptyFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/hushpane/empty-desktop");
}

QStringList LxdeDesktopSwitch::itemFiles(const QString& profileDirectory) {
    const QString first = QStringLiteral("desktop-items-0.conf");
    QStringList files =
        QDir(profileDirectory).entryList({QStringLiteral("desktop-items-*.conf")}, QDir::Files);
    QCollator numeric;
    numeric.setNumericMode(true);
    std::sort(files.begin(), files.end(), numeric);
    files.removeAll(first);
    files.prepend(first);
    return files;
}

}  // namespace hushpane
