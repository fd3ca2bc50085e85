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

QString launcherPath() {
    const QDir programDir(QCoreApplication::applicationDirPath());
    for (const char* relative :
         {HUSHPANE_LAUNCHER_FROM_PROGRAM, HUSHPANE_LAUNCHER_FROM_PROGRAM_IN_BUILD}) {
        const QFileInfo launcher(QDir::cleanPath(programDir.filePath(QString::fromUtf8(relative))));
        if (launcher.isFile() && launcher.isExecutable()) {
            return launcher.filePath();
        }
    }
    return QCoreApplication::applicationFilePath();
}

}  // namespace hushpane::AppInfo
