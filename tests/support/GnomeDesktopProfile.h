#pragma once

#include "support/DesktopProfile.h"

namespace hushpane::test {

// GNOME: gnome-shell as the X11 window manager and compositor, drawing with Mesa's software
// renderer, and its Desktop Icons NG extension drawing the icons. The Shell needs a system bus
// to ask for logind (it does without the answer), so the session gets one of its own. The
// Shell starts in its overview; start() returns once that is left. No banners, no animations.
class GnomeDesktopProfile final : public DesktopProfile {
public:
    static constexpr auto kIconsExtension = "ding@rastersoft.com";

    QString currentDesktop() const override { return QStringLiteral("GNOME"); }
    QStringList programs() const override;
    std::optional<QString> setWallpaper(PrivateSession& session,
                                        const QString& picture) const override;
    std::optional<QString> start(PrivateSession& session) const override;
};

}  // namespace hushpane::test
