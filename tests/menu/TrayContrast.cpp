#include "TrayContrast.h"

#include "menu/TrayIconColour.h"

#include <algorithm>
#include <vector>

namespace hushpane::test {

double iconContrast(const QImage& picture, const QColor& background, int minimumPixels) {
    std::vector<double> contrasts;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            contrasts.push_back(contrastRatio(image.pixelColor(x, y), background));
        }
    }
    if (static_cast<int>(contrasts.size()) < minimumPixels) {
        return 1.0;
    }
    std::nth_element(contrasts.begin(), contrasts.begin() + (minimumPixels - 1), contrasts.end(),
                     std::greater<>());
    return contrasts[static_cast<size_t>(minimumPixels - 1)];
}

}  // namespace hushpane::test
