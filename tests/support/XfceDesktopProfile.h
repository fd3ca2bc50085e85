#pragma once

#include "support/DesktopProfile.h"

namespace hushpane::test {

// XFCE: xfdesktop draws the wallpaper and the icons; its settings are in xfconf (the xfconfd
// the session bus activates).
class XfceDesktopProfile final : public DesktopProfile {
public:
    QString currentDesktop() const override { return QStringLiteral("XFCE"); }
    QStringList programs() const override;
    std::optional<QString> setWallpaper(PrivateSession& session,
                                        const QString& picture) const override;
    std::optional<QString> start(PrivateSession& session) const override;

    // xfconf-query on the xfce4-desktop channel; its trimmed output, nothing when it failed.
    static std::optional<QString> query(const PrivateSession& session,
                                        const QStringList& arguments);
    static std::optional<QString> property(const PrivateSession& session, const QString& property);
    // The backdrop properties of the first connected output, workspace 0:
    // "/backdrop/screen0/monitor<connector>/workspace0/".
    static QString backdropPrefix(const PrivateSession& session);
};

}  // namespace hushpane::test
