#pragma once

#include "support/DesktopScreenCheck.h"

#include <QColor>
#include <QImage>
#include <QString>

#include <chrono>
#include <functional>

namespace hushpane::test {

class DesktopProfile;
class PrivateSession;

// A desktop in a PrivateSession that has a display: the profile's programs with a plain
// wallpaper, under a window manager. start() returns once the desktop is drawn, that is when
// DesktopScreenCheck accepts two screenshots in a row; put files into the session's Desktop
// folder first, a desktop without icons is never drawn.
//
//   PrivateSession session({.display = true});
//   PrivateDesktop desktop(session, XfceDesktopProfile());
//   ASSERT_TRUE(desktop.start()) << desktop.error().toStdString();
class PrivateDesktop {
public:
    static QColor defaultWallpaper() { return {0x3a, 0x6e, 0xa5}; }
    // A 64x64 picture of one colour at `path`; the path, or empty when it was not written.
    static QString writeSolidPicture(const QString& path, const QColor& color);

    // Both must outlive this object.
    PrivateDesktop(PrivateSession& session, const DesktopProfile& profile,
                   const QColor& wallpaper = defaultWallpaper());

    // False with error() when a program is missing, did not start, or the desktop was not
    // drawn in time.
    bool start(std::chrono::milliseconds timeout = std::chrono::seconds(60));
    const QString& error() const { return error_; }

    const QColor& wallpaper() const { return wallpaper_; }
    QString wallpaperFile() const;
    // The screenshot start() accepted.
    const QImage& drawn() const { return drawn_; }
    // A screenshot of the session's display (by Qt when the process is on it, by ImageMagick's
    // import otherwise), null when it failed.
    QImage grab() const;
    // Polls the screen every 250 ms (bounded) until `accept` likes a screenshot; *accepted
    // says whether it did. The last screenshot, null when none could be taken.
    QImage waitForScreen(const std::function<bool(const QImage&)>& accept, bool* accepted,
                         std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
    // Polls the screen (bounded) until it is drawn again, e.g. after a change; drawn() is then
    // the new screenshot.
    bool waitUntilDrawn(std::chrono::milliseconds timeout);

private:
    PrivateSession& session_;
    const DesktopProfile& profile_;
    QColor wallpaper_;
    QString error_;
    QImage drawn_;
};

}  // namespace hushpane::test
