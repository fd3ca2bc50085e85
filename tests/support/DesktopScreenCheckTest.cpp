#include "support/DesktopScreenCheck.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace hushpane::test {
namespace {

const QColor kWallpaper(0x3a, 0x6e, 0xa5);
const QSize kScreen(1024, 768);

QImage screen(const QColor& fill) {
    QImage image(kScreen, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// The wallpaper with `count` icons (a picture and a label each) down the left column.
QImage desktopWithIcons(int count) {
    QImage image = screen(kWallpaper);
    QPainter painter(&image);
    for (int i = 0; i < count; ++i) {
        const int top = 10 + i * 100;
        painter.fillRect(QRect(60, top, 48, 48), QColor(0xf0, 0xd0, 0x60));
        painter.fillRect(QRect(30, top + 56, 108, 16), Qt::white);
    }
    return image;
}

class DesktopScreenCheckTest : public ::testing::Test {
protected:
    DesktopScreenCheck check{kWallpaper};
};

TEST_F(DesktopScreenCheckTest, ADrawnDesktopSeenTwiceIsAccepted) {
    const QImage shot = desktopWithIcons(4);
    const auto result = check.check(shot, shot);
    EXPECT_TRUE(result.drawn) << result.text.toStdString();
    EXPECT_GE(result.wallpaperPercent, 95);
    EXPECT_EQ(result.iconPixels, 4 * (48 * 48 + 108 * 16));
    EXPECT_EQ(result.changedPixels, 0);
}

// A black screen is the first thing Xvfb shows: it has no wallpaper, however still it is.
TEST_F(DesktopScreenCheckTest, ABlackScreenIsRefused) {
    const QImage black = screen(Qt::black);
    const auto result = check.check(black, black);
    EXPECT_FALSE(result.drawn);
    EXPECT_EQ(result.wallpaperPercent, 0);
    EXPECT_NE(result.text.indexOf(QStringLiteral("wallpaper")), -1) << result.text.toStdString();
}

TEST_F(DesktopScreenCheckTest, AHalfPaintedScreenIsRefused) {
    QImage half = desktopWithIcons(4);
    QPainter(&half).fillRect(QRect(0, kScreen.height() / 2, kScreen.width(), kScreen.height() / 2),
                             Qt::black);
    EXPECT_FALSE(check.check(half, half).drawn);

    // A wrong colour counts as no wallpaper as well.
    const QImage other = screen(QColor(0x3a, 0x6e, 0xc0));
    EXPECT_FALSE(check.check(other, other).drawn);
}

TEST_F(DesktopScreenCheckTest, TheWallpaperWithoutIconsIsRefused) {
    const QImage bare = screen(kWallpaper);
    const auto result = check.check(bare, bare);
    EXPECT_FALSE(result.drawn);
    EXPECT_EQ(result.iconPixels, 0);

    // An icon column painted over entirely is not icons either.
    QImage covered = bare;
    QPainter(&covered).fillRect(DesktopScreenCheck::defaultIconArea(kScreen), Qt::black);
    EXPECT_FALSE(check.check(covered, covered).drawn);
}

TEST_F(DesktopScreenCheckTest, AScreenStillChangingIsRefused) {
    const auto first = check.check(desktopWithIcons(4), QImage());
    EXPECT_FALSE(first.drawn) << "one screenshot alone proves nothing";
    const auto growing = check.check(desktopWithIcons(4), desktopWithIcons(3));
    EXPECT_FALSE(growing.drawn);
    EXPECT_EQ(growing.changedPixels, 48 * 48 + 108 * 16);
    EXPECT_FALSE(check.check(desktopWithIcons(4), screen(Qt::black)).drawn);
}

TEST_F(DesktopScreenCheckTest, IconsOutsideTheGivenAreaDoNotCount) {
    const DesktopScreenCheck right(kWallpaper, QRect(824, 0, 200, 768));
    const QImage shot = desktopWithIcons(4);
    const auto result = right.check(shot, shot);
    EXPECT_FALSE(result.drawn);
    EXPECT_EQ(result.iconPixels, 0);
}

TEST(DesktopScreenCheck, CountsPixelsWithinASmallTolerance) {
    QImage image = screen(kWallpaper);
    image.setPixel(0, 0, QColor(0x3a + 6, 0x6e - 6, 0xa5).rgb());  // scaling noise
    image.setPixel(1, 0, QColor(0x3a + 7, 0x6e, 0xa5).rgb());
    EXPECT_EQ(DesktopScreenCheck::pixelsOtherThan(image, kWallpaper), 1);
    EXPECT_EQ(DesktopScreenCheck::pixelsOtherThan(image, kWallpaper, QRect(2, 0, 10, 10)), 0);
    EXPECT_EQ(DesktopScreenCheck::pixelsDiffering(image, screen(kWallpaper)), 1);
    EXPECT_EQ(DesktopScreenCheck::pixelsDiffering(image, QImage(10, 10, QImage::Format_RGB32)),
              kScreen.width() * kScreen.height());
}

}  // namespace
}  // namespace hushpane::test
