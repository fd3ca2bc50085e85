#pragma once

#include "support/DesktopProfile.h"

namespace hushpane::test {

// LXDE: pcmanfm --desktop --profile=LXDE (as lxsession starts it) draws the wallpaper and the
// icons from ~/.config/pcmanfm/LXDE/desktop-items-0.conf, which the profile writes: the
// wallpaper stretched, the trash icon on, the icons sorted by name.
class LxdeDesktopProfile final : public DesktopProfile {
public:
    static constexpr auto kProfile = "LXDE";

    QString currentDesktop() const override { return QStringLiteral("LXDE"); }
    QStringList programs() const override { return {QStringLiteral("pcmanfm")}; }
    std::optional<QString> setWallpaper(PrivateSession& session,
                                        const QString& picture) const override;
    std::optional<QString> start(PrivateSession& session) const override;

    static QString itemsFile(const PrivateSession& session);
};

}  // namespace hushpane::test
