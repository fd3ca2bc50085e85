#pragma once

#include "support/DesktopProfile.h"

namespace hushpane::test {

// MATE: caja draws the wallpaper and the icons (`caja -n --force-desktop`, as a session
// without mate-session starts it); its settings are GSettings in the dconf the bus activates.
// caja ends when its desktop is switched off.
class MateDesktopProfile final : public DesktopProfile {
public:
    QString currentDesktop() const override { return QStringLiteral("MATE"); }
    QStringList programs() const override;
    std::optional<QString> setWallpaper(PrivateSession& session,
                                        const QString& picture) const override;
    std::optional<QString> start(PrivateSession& session) const override;
};

}  // namespace hushpane::test
