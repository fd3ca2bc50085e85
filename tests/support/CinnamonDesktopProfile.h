#pragma once

#include "support/DesktopProfile.h"

namespace hushpane::test {

// Cinnamon without its shell: nemo-desktop draws the icons; the wallpaper is the shell's
// (org.cinnamon.desktop.background), which nothing draws here, so the screen behind the icons
// is black and the wallpaper is checked in its settings only. nemo-desktop refuses to run as
// root unless org.nemo.preferences treat-root-as-normal says otherwise; the profile sets it.
class CinnamonDesktopProfile final : public DesktopProfile {
public:
    QString currentDesktop() const override { return QStringLiteral("X-Cinnamon"); }
    QStringList programs() const override;
    std::optional<QString> setWallpaper(PrivateSession& session,
                                        const QString& picture) const override;
    std::optional<QString> start(PrivateSession& session) const override;
};

}  // namespace hushpane::test
