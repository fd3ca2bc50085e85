#include "services/WallpaperPicture.h"

#include <QImageReader>

namespace hushpane {

std::optional<QString> WallpaperPicture::problemWith(const QString& path) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        return QStringLiteral("The custom wallpaper at %1 isn't a picture Hushpane can read (%2).")
            .arg(path, reader.errorString());
    }
    const QSize size = reader.size();
    if (!size.isValid() && reader.supportsOption(QImageIOHandler::Size)) {
        // The format tells its size in the header, so this header is broken.
        return QStringLiteral(
                   "The custom wallpaper at %1 isn't a picture Hushpane can read (its "
                   "header is damaged).")
            .arg(path);
    }
    if (size.isValid() && qint64{size.width()} * size.height() > kMaxPixels) {
        return QStringLiteral(
                   "The custom wallpaper at %1 is %2 × %3 pixels, more than 100 megapixels; "
                   "choose a smaller picture.")
            .arg(path)
            .arg(size.width())
            .arg(size.height());
    }
    return std::nullopt;
}

}  // namespace hushpane
