#include "support/CinnamonDesktopProfile.h"

#include "support/GSettingsCommand.h"
#include "support/PrivateSession.h"

#include <QUrl>

#include <unistd.h>

namespace hushpane::test {

QStringList CinnamonDesktopProfile::programs() const {
    return {QStringLiteral("nemo-desktop"), QStringLiteral("gsettings")};
}

std::optional<QString> CinnamonDesktopProfile::setWallpaper(PrivateSession& session,
                                                            const QString& picture) const {
    const QString schema = QStringLiteral("org.cinnamon.desktop.background");
    if (auto error = gsettingsSet(session, schema, QStringLiteral("picture-uri"),
                                  QUrl::fromLocalFile(picture).toString())) {
        return error;
    }
    return gsettingsSet(session, schema, QStringLiteral("picture-options"),
                        QStringLiteral("stretched"));
}

std::optional<QString> CinnamonDesktopProfile::start(PrivateSession& session) const {
    if (::geteuid() == 0) {
        if (auto error =
                gsettingsSet(session, QStringLiteral("org.nemo.preferences"),
                             QStringLiteral("treat-root-as-normal"), QStringLiteral("true"))) {
            return error;
        }
    }
    if (!session.start(QStringLiteral("nemo-desktop"))) {
        return QStringLiteral("nemo-desktop did not start");
    }
    return std::nullopt;
}

}  // namespace hushpane::test
