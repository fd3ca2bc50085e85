#include "support/MateDesktopProfile.h"

#include "support/GSettingsCommand.h"
#include "support/PrivateSession.h"

namespace hushpane::test {

QStringList MateDesktopProfile::programs() const {
    return {QStringLiteral("caja"), QStringLiteral("gsettings")};
}

std::optional<QString> MateDesktopProfile::setWallpaper(PrivateSession& session,
                                                        const QString& picture) const {
    const QString schema = QStringLiteral("org.mate.background");
    if (auto error = gsettingsSet(session, schema, QStringLiteral("picture-filename"), picture)) {
        return error;
    }
    return gsettingsSet(session, schema, QStringLiteral("picture-options"),
                        QStringLiteral("stretched"));
}

std::optional<QString> MateDesktopProfile::start(PrivateSession& session) const {
    if (!session.start(QStringLiteral("caja"),
                       {QStringLiteral("-n"), QStringLiteral("--force-desktop")})) {
        return QStringLiteral("caja did not start");
    }
    return std::nullopt;
}

}  // namespace hushpane::test
