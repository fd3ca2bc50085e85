#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QRect>
#include <QString>

#include <chrono>
#include <functional>

namespace hushpane::test {

// The desktop the shell harness started for this process (scripts/lib/session.sh, part
// desktop=PROFILE), as the harness exported it: the process already runs in that session
// (its HOME, bus and display), so this only reads what a test needs to know of the desktop.
//
//   HarnessDesktop desktop;
//   ASSERT_TRUE(desktop.isValid()) << desktop.error().toStdString();
class HarnessDesktop {
public:
    // The plain wallpaper the harness gives every desktop (session_wallpaper_color).
    static QColor defaultWallpaper() { return {0x3a, 0x6e, 0xa5}; }
    // A 64x64 picture of one colour at `path`; the path, or empty when it was not written.
    static QString writeSolidPicture(const QString& path, const QColor& color);
    // The processes called `name` that belong to this session: their bus is this process's.
    static QList<qint64> processesInThisSession(const QString& name);

    HarnessDesktop();

    // False (with error()) outside a harness session with a drawn desktop.
    bool isValid() const { return error_.isEmpty(); }
    const QString& error() const { return error_; }

    // The profile's name (scripts/lib/desktops/<name>.sh).
    const QString& name() const { return name_; }
    // The screenshot the harness accepted as drawn, before the test did anything.
    const QImage& drawn() const { return drawn_; }
    // The colour around the icons: the wallpaper's, unless nothing draws one there.
    const QColor& behindIcons() const { return behindIcons_; }
    // Where the icons are drawn (a top bar left out).
    const QRect& iconArea() const { return iconArea_; }
    // The plain picture the desktop was given as the user's wallpaper.
    const QString& wallpaperFile() const { return wallpaperFile_; }
    // The session's scratch directory, where its programs' logs are.
    const QString& sessionDirectory() const { return sessionDirectory_; }

    // One of the profile's read-only functions (desktop_icons_state, ...) or variables, run
    // by scripts/lib/desktop-query; the trimmed output.
    QString query(const QString& function, const QStringList& arguments = {}) const;
    QString variable(const QString& name) const;
    // Whether the profile defines this optional function.
    bool defines(const QString& function) const;

    // A screenshot of the screen: this process's Qt is on the X display, or, on a Wayland
    // desktop, the profile's desktop_screenshot takes it.
    QImage grab() const;
    // Presses and releases `combo` (ctrl+alt+super+d) as a keyboard would: xdotool on X, the
    // profile's desktop_press_keys on Wayland. False when the keys could not be sent.
    bool pressKeys(const QString& combo) const;
    // Whether the desktop is a Wayland session (its profile's desktop_session).
    bool isWayland() const { return wayland_; }
    // Polls the screen (bounded) until `accept` likes a screenshot; *accepted says whether it
    // did. The last screenshot.
    QImage waitForScreen(const std::function<bool(const QImage&)>& accept, bool* accepted,
                         std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;

private:
    QString desktopQuery(const QStringList& arguments) const;

    QString error_;
    QString name_;
    QImage drawn_;
    QColor behindIcons_;
    QRect iconArea_;
    QString wallpaperFile_;
    QString sessionDirectory_;
    bool wayland_ = false;
};

}  // namespace hushpane::test
