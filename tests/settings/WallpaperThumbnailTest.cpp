#include "services/WallpaperPicture.h"
#include "settings/WallpaperThumbnail.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using hushpane::settings::WallpaperThumbnail;

namespace {

// Three horizontal bands, top to bottom.
void writeBands(const QString& path, QSize size, const QList<QColor>& bands) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int band = size.height() / static_cast<int>(bands.size());
    for (qsizetype i = 0; i < bands.size(); ++i) {
        painter.fillRect(0, static_cast<int>(i) * band, size.width(), band + 1, bands[i]);
    }
    painter.end();
    ASSERT_TRUE(image.save(path, "PNG"));
}

QColor pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

bool near(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) < 30 && std::abs(a.green() - b.green()) < 30 &&
           std::abs(a.blue() - b.blue()) < 30;
}

}  // namespace

TEST(WallpaperThumbnailTest, CoversTheFrameCropsEvenlyAndRereadsTheFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("tall.png"));
    // A tall picture: covering a 56 x 36 frame keeps only part of the middle band.
    writeBands(path, {60, 300}, {Qt::red, Qt::green, Qt::blue});

    WallpaperThumbnail thumbnail;
    EXPECT_EQ(thumbnail.size(), QSize(56, 36));
    thumbnail.setUrl(QUrl::fromLocalFile(path));
    QImage shot = thumbnail.grab().toImage();
    EXPECT_TRUE(near(pixel(shot, 28, 18), Qt::green));
    // Stretched instead of cropped, the top would be red and the bottom blue.
    EXPECT_TRUE(near(pixel(shot, 28, 3), Qt::green));
    EXPECT_TRUE(near(pixel(shot, 28, 32), Qt::green));
    EXPECT_TRUE(near(pixel(shot, 2 + 1, 18), Qt::green));

    // The file changed on disk: the next paint shows the new picture.
    writeBands(path, {300, 60}, {Qt::yellow});
    shot = thumbnail.grab().toImage();
    EXPECT_TRUE(near(pixel(shot, 28, 18), Qt::yellow));

    // Gone, or not an image: the placeholder, nothing of the old picture.
    QFile::remove(path);
    shot = thumbnail.grab().toImage();
    EXPECT_FALSE(near(pixel(shot, 28, 18), Qt::yellow));
    EXPECT_FALSE(near(pixel(shot, 5, 5), Qt::yellow));
    QFile bad(path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a picture");
    bad.close();
    const QImage placeholder = thumbnail.grab().toImage();
    thumbnail.setUrl(std::nullopt);
    EXPECT_EQ(thumbnail.grab().toImage(), placeholder);

    // A pipe in the picture's place would block the paint for good: the placeholder, at once.
    const QString pipe = dir.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    thumbnail.setUrl(QUrl::fromLocalFile(pipe));
    EXPECT_EQ(thumbnail.grab().toImage(), placeholder);
}

// An 81-megapixel picture (9000 x 9000, past the allocation limit Qt puts on one decode) is
// still a usable wallpaper: the thumbnail shows it, not the placeholder.
TEST(WallpaperThumbnailTest, An81MegapixelPictureShowsAndCanBeApplied) {
    QTemporaryDir dir;
    const QColor colour(0xc8, 0x50, 0x2d);
    for (const char* format : {"png", "jpg"}) {
        const QString path = dir.filePath(QStringLiteral("huge.") + QLatin1String(format));
        {
            QImage huge(9000, 9000, QImage::Format_RGB888);
            huge.fill(colour);
            ASSERT_TRUE(huge.save(path, format)) << format;
        }
        EXPECT_EQ(hushpane::WallpaperPicture::problemWith(path), std::nullopt) << format;
        WallpaperThumbnail thumbnail;
        thumbnail.setUrl(QUrl::fromLocalFile(path));
        EXPECT_TRUE(near(pixel(thumbnail.grab().toImage(), 28, 18), colour)) << format;
    }
}
