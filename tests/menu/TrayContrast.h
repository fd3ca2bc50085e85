#pragma once

#include <QColor>
#include <QImage>

namespace hushpane::test {

// How well an icon stands out from its panel in a picture of it: the contrast of the strongest
// colour that at least `minimumPixels` pixels show (anti-aliased edges are ignored that way).
double iconContrast(const QImage& picture, const QColor& background, int minimumPixels = 10);

}  // namespace hushpane::test
