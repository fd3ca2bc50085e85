#pragma once

#include "support/DesktopProfile.h"

namespace hushpane::test {

// LXQt: pcmanfm-qt --desktop --profile=lxqt (as lxqt-session starts it) draws the wallpaper
// and the icons from ~/.config/pcmanfm-qt/lxqt/settings.conf, which the profile writes: the
// wallpaper stretched, white labels, the Breeze icons.
class LxqtDesktopProfile final : public DesktopProfile {
public:
    static constexpr auto kProfile = "lxqt";

    QString currentDesktop() const override { return QStringLiteral("LXQt"); }
    QStringList programs() const override { return {QStringLiteral("pcmanfm-qt")}; }
    std::optional<QString> setWallpaper(PrivateSession& session,
                                        const QString& picture) const override;
    std::optional<QString> start(PrivateSession& session) const override;

    static QString settingsFile(const PrivateSession& session);
};

}  // namespace hushpane::test
