#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace hushpane::test {

class PrivateSession;

// What it takes to put one desktop (the program that draws the wallpaper and the icons) into a
// PrivateSession: which programs, under which XDG_CURRENT_DESKTOP, how its wallpaper is set.
// PrivateDesktop drives it and tells from the screen when it is ready. One class per desktop,
// named after it (XfceDesktopProfile, ...). Every step returns an error text or nothing.
class DesktopProfile {
public:
    virtual ~DesktopProfile() = default;

    // "XFCE", as XDG_CURRENT_DESKTOP names it.
    virtual QString currentDesktop() const = 0;
    // The programs it needs on PATH; PrivateDesktop checks them before anything starts.
    virtual QStringList programs() const = 0;
    // Makes the picture the wallpaper of every screen, filling it. Runs before start(), on the
    // session's bus.
    virtual std::optional<QString> setWallpaper(PrivateSession& session,
                                                const QString& picture) const = 0;
    // Starts its programs with session.start(); the window manager is already there.
    virtual std::optional<QString> start(PrivateSession& session) const = 0;
};

}  // namespace hushpane::test
