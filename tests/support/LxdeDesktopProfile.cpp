#include "support/LxdeDesktopProfile.h"

#include "support/PrivateSession.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace hushpane::test {

QString LxdeDesktopProfile::itemsFile(const PrivateSession& session) {
    return session.configHome() +
           QStringLiteral("/pcmanfm/%1/desktop-items-0.conf").arg(QString::fromLatin1(kProfile));
}

std::optional<QString> LxdeDesktopProfile::setWallpaper(PrivateSession& session,
                                                        const QString& picture) const {
    const QString path = itemsFile(session);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return QStringLiteral("couldn't write %1").arg(path);
    }
    file.write("[*]\nwallpaper_mode=stretch\nwallpaper_common=1\nwallpaper=" + picture.toUtf8() +
               "\ndesktop_bg=#000000\ndesktop_fg=#ffffff\ndesktop_shadow=#000000\n"
               "show_wm_menu=0\nsort=name;ascending;mingle;\nshow_documents=0\nshow_trash=1\n"
               "show_mounts=0\n");
    return std::nullopt;
}

std::optional<QString> LxdeDesktopProfile::start(PrivateSession& session) const {
    if (!session.start(QStringLiteral("pcmanfm"),
                       {QStringLiteral("--desktop"),
                        QStringLiteral("--profile=") + QString::fromLatin1(kProfile)})) {
        return QStringLiteral("pcmanfm did not start");
    }
    return std::nullopt;
}

}  // namespace hushpane::test
