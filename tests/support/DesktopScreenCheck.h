#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

namespace hushpane::test {

// Tells from screenshots whether a desktop given a plain wallpaper has been drawn: most of
// the screen shows the wallpaper colour, the icon area holds icons, and nothing changed since
// the screenshot before. A black screen, a wallpaper without icons and a screen still being
// painted are all refused.
class DesktopScreenCheck {
public:
    // The icon area of the desktops we drive: their icons start in the top-left corner.
    static QRect defaultIconArea(QSize screen) { return {0, 0, 200, screen.height()}; }

    explicit DesktopScreenCheck(const QColor& wallpaper, const QRect& iconArea = {});

    struct Result {
        bool drawn = false;
        int wallpaperPercent = 0;  // of the whole screen
        int iconPixels = 0;        // in the icon area: pixels that are not the wallpaper
        int changedPixels = 0;     // since the previous screenshot
        QString text;              // why it is (not) drawn, for messages
    };
    Result check(const QImage& shot, const QImage& previous) const;

    // Pixels in `area` (the whole picture when empty) that are not `color`, within a small
    // tolerance for the scaling of the wallpaper.
    static int pixelsOtherThan(const QImage& image, const QColor& color, const QRect& area = {});
    // Pixels that differ between two pictures (all of them when the sizes differ).
    static int pixelsDiffering(const QImage& a, const QImage& b, const QRect& area = {});
    static bool near(QRgb pixel, const QColor& color);

private:
    QColor wallpaper_;
    QRect iconArea_;
};

}  // namespace hushpane::test
