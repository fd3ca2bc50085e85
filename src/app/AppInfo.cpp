#include "app/AppInfo.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifndef HUSHPANE_LAUNCHER_FROM_PROGRAM
#define HUSHPANE_LAUNCHER_FROM_PROGRAM "../../bin/hushpane"
#endif
#ifndef HUSHPANE_LAUNCHER_FROM_PROGRAM_IN_BUILD
#define HUSHPANE_LAUNCHER_FROM_PROGRAM_IN_BUILD "../../hushpane"
#endif

namespace hushpane::AppInfo {

QString version() {
#ifdef HUSHPANE_VERSION
    return QStringLiteral(HUSHPANE_VERSION);
#else
    return {};
#endif
}

QIcon icon() {
    return QIcon::fromTheme(QString::fromLatin1(kDesktopEntryId),
                            QIcon(QStringLiteral(":/icons/app.hushpane.Hushpane.svg")));
}

std::optional<QString> launcherBeside(const QString& programDir) {
    const QDir dir(programDir);
    for (const char* relative :
         {HUSHPANE_LAUNCHER_FROM_PROGRAM, HUSHPANE_LAUNCHER_FROM_PROGRAM_IN_BUILD}) {
        const QFileInfo launcher(QDir::cleanPath(dir.filePath(QString::fromUtf8(relative))));
        if (launcher.isFile() && launcher.isExecutable()) {
            return launcher.filePath();
        }
    }
    return std::nullopt;
}

QString launcherPath() {
    return launcherBeside(QCoreApplication::applicationDirPath())
        .value_or(QCoreApplication::applicationFilePath());
}

}  // namespace hushpane::AppInfo
