#include "support/DesktopScreenCheck.h"

#include <cstdlib>

namespace hushpane::test {

namespace {

// Below this share of wallpaper the screen is black, half-painted or covered by something.
constexpr int kMinWallpaperPercent = 75;
// A single file icon with its label is several thousand pixels; less is a stray cursor.
constexpr int kMinIconPixels = 3000;
constexpr int kTolerance = 6;

QRect within(const QImage& image, const QRect& area) {
    return area.isEmpty() ? image.rect() : area.intersected(image.rect());
}

}  // namespace

DesktopScreenCheck::DesktopScreenCheck(const QColor& wallpaper, const QRect& iconArea)
    : wallpaper_(wallpaper), iconArea_(iconArea) {}

bool DesktopScreenCheck::near(QRgb pixel, const QColor& color) {
    return std::abs(qRed(pixel) - color.red()) <= kTolerance &&
           std::abs(qGreen(pixel) - color.green()) <= kTolerance &&
           std::abs(qBlue(pixel) - color.blue()) <= kTolerance;
}

int DesktopScreenCheck::pixelsOtherThan(const QImage& image, const QColor& color,
                                        const QRect& area) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRect r = within(rgb, area);
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            count += near(line[x], color) ? 0 : 1;
        }
    }
    return count;
}

int DesktopScreenCheck::pixelsDiffering(const QImage& a, const QImage& b, const QRect& area) {
    if (a.size() != b.size()) {
        return a.width() * a.height();
    }
    const QImage ra = a.convertToFormat(QImage::Format_RGB32);
    const QImage rb = b.convertToFormat(QImage::Format_RGB32);
    const QRect r = within(ra, area);
    int count = 0;
    for (int y = r.top(); y <= r.bottom(); ++y) {
        const auto* la = reinterpret_cast<const QRgb*>(ra.constScanLine(y));
        const auto* lb = reinterpret_cast<const QRgb*>(rb.constScanLine(y));
        for (int x = r.left(); x <= r.right(); ++x) {
            count += near(la[x], QColor::fromRgb(lb[x])) ? 0 : 1;
        }
    }
    return count;
}

DesktopScreenCheck::Result DesktopScreenCheck::check(const QImage& shot,
                                                     const QImage& previous) const {
    Result result;
    if (shot.isNull()) {
        result.text = QStringLiteral("no screenshot");
        return result;
    }
    const int all = shot.width() * shot.height();
    const QRect icons = iconArea_.isEmpty() ? defaultIconArea(shot.size()) : iconArea_;
    const QRect iconRect = within(shot, icons);
    result.wallpaperPercent =
        static_cast<int>(100LL * (all - pixelsOtherThan(shot, wallpaper_)) / all);
    result.iconPixels = pixelsOtherThan(shot, wallpaper_, iconRect);
    result.changedPixels = previous.isNull() ? all : pixelsDiffering(shot, previous);
    const int iconAreaPixels = iconRect.width() * iconRect.height();
    if (result.wallpaperPercent < kMinWallpaperPercent) {
        result.text = QStringLiteral("only %1 % of the screen shows the wallpaper %2")
                          .arg(result.wallpaperPercent)
                          .arg(wallpaper_.name());
    } else if (result.iconPixels < kMinIconPixels || 2 * result.iconPixels > iconAreaPixels) {
        // Icons cover a part of their column, never most of it: more is not icons.
        result.text = QStringLiteral("%1 icon pixels (of %2) in the icon area")
                          .arg(result.iconPixels)
                          .arg(iconAreaPixels);
    } else if (result.changedPixels != 0) {
        result.text = QStringLiteral("%1 pixels changed since the screenshot before")
                          .arg(result.changedPixels);
    } else {
        result.drawn = true;
        result.text = QStringLiteral("drawn: %1 % wallpaper, %2 icon pixels")
                          .arg(result.wallpaperPercent)
                          .arg(result.iconPixels);
    }
    return result;
}

}  // namespace hushpane::test
