#include "menu/TrayIconColour.h"

#include <algorithm>
#include <cmath>

namespace hushpane {

namespace {

const QColor kLight(0xf5, 0xf5, 0xf5);
const QColor kDark(0x20, 0x20, 0x20);

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& c) {
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

}  // namespace

double contrastRatio(const QColor& a, const QColor& b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TrayIconColours trayIconColours(const TrayPanelLook& look) {
    if (look.foreground && look.foreground->isValid()) {
        // A panel that names its colour is believed unless it would vanish on the background.
        if (!look.background || contrastRatio(*look.foreground, *look.background) >= 3.0) {
            return {*look.foreground, std::nullopt};
        }
    }
    if (look.background && look.background->isValid()) {
        const QColor& bg = *look.background;
        return {contrastRatio(kLight, bg) >= contrastRatio(kDark, bg) ? kLight : kDark,
                std::nullopt};
    }
    return {kLight, kDark};
}

}  // namespace hushpane
