#pragma once

#include "support/DesktopProfile.h"

namespace hushpane::test {

// The real plasmashell (KDE Plasma 5.27) on the session's display with Qt Quick's software
// renderer. Once it is on the bus, a script takes its panel away, gives every desktop the
// session's plain wallpaper, stretched, and lays the icons out in columns from the top-left
// corner, where the screen check looks for them.
class PlasmaDesktopProfile : public DesktopProfile {
public:
    QString currentDesktop() const override { return QStringLiteral("KDE"); }
    QStringList programs() const override { return {QStringLiteral("plasmashell")}; }
    // The picture goes up once plasmashell runs (start()).
    std::optional<QString> setWallpaper(PrivateSession& session,
                                        const QString& picture) const override;
    std::optional<QString> start(PrivateSession& session) const override;

    // Runs a script in the session's plasmashell; its output, or nothing.
    static std::optional<QString> evaluate(PrivateSession& session, const QString& script);

private:
    mutable QString picture_;
};

}  // namespace hushpane::test
