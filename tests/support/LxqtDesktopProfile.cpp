#include "support/LxqtDesktopProfile.h"

#include "support/PrivateSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hushpane::test {

QString LxqtDesktopProfile::settingsFile(const PrivateSession& session) {
    return session.configHome() +
           QStringLiteral("/pcmanfm-qt/%1/settings.conf").arg(QString::fromLatin1(kProfile));
}

std::optional<QString> LxqtDesktopProfile::setWallpaper(PrivateSession& session,
                                                        const QString& picture) const {
    const QString path = settingsFile(session);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("couldn't write %1").arg(path);
    }
    file.write("[Desktop]\nBgColor=#000000\nFgColor=#ffffff\nShadowColor=#000000\nWallpaper=" +
               picture.toUtf8() +
               "\nWallpaperMode=stretch\n\n[System]\nFallbackIconThemeName=breeze\n");
    return std::nullopt;
}

std::optional<QString> LxqtDesktopProfile::start(PrivateSession& session) const {
    session.setEnvironmentVariable(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    if (!session.start(QStringLiteral("pcmanfm-qt"),
                       {QStringLiteral("--desktop"),
                        QStringLiteral("--profile=") + QString::fromLatin1(kProfile)})) {
        return QStringLiteral("pcmanfm-qt did not start");
    }
    return std::nullopt;
}

}  // namespace hushpane::test
