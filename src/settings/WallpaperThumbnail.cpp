#include "settings/WallpaperThumbnail.h"

#include "services/WallpaperPicture.h"
#include "settings/SettingsPalette.h"

#include <QFile>

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

#include <sys/stat.h>

namespace hushpane::settings {

WallpaperThumbnail::WallpaperThumbnail(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setAccessibleName(tr("Wallpaper preview"));
}

void WallpaperThumbnail::setUrl(const std::optional<QUrl>& url) {
    url_ = url;
    update();
}

QImage WallpaperThumbnail::currentPicture() {
    const std::unique_ptr<QFile> file =
        url_ && url_->isLocalFile() ? WallpaperPicture::open(url_->toLocalFile()) : nullptr;
    struct stat status {};
    if (!file || ::fstat(file->handle(), &status) != 0) {
        cached_ = {};
        return {};
    }
    const Decoded::Stamp stamp{url_->toLocalFile(), static_cast<quint64>(status.st_ino),
                               qint64{status.st_size}, qint64{status.st_mtim.tv_sec},
                               qint64{status.st_mtim.tv_nsec}};
    if (cached_.stamp == stamp) {
        return cached_.picture;  // the same file as last time: no need to decode it again
    }
    QImageReader reader(file.get());
    reader.setAutoTransform(true);
    // Decoded no larger than the frame needs (twice over for a sharp result).
    const QSize full = reader.size();
    const QSize wanted = (QSizeF(size()) * devicePixelRatioF() * 2).toSize();
    if (full.isValid() && full.width() > wanted.width() && full.height() > wanted.height()) {
        reader.setScaledSize(full.scaled(wanted, Qt::KeepAspectRatioByExpanding));
    }
    cached_ = {stamp, reader.read()};
    return cached_.picture;
}

void WallpaperThumbnail::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPalette& pal = palette();
    const QRectF frame = QRectF(rect());

    QPainterPath clip;
    clip.addRoundedRect(frame, kCornerRadius, kCornerRadius);
    painter.setClipPath(clip);
    painter.fillRect(
        frame, blend(pal.color(QPalette::Active, QPalette::WindowText), groupFillColor(pal), 0.1));

    const QImage picture = currentPicture();
    if (!picture.isNull()) {
        // Cover the frame, keeping the picture's proportions; the overflow is cropped evenly.
        const QSizeF scaled =
            QSizeF(picture.size()).scaled(frame.size(), Qt::KeepAspectRatioByExpanding);
        const QRectF target(frame.center().x() - scaled.width() / 2,
                            frame.center().y() - scaled.height() / 2, scaled.width(),
                            scaled.height());
        // Dimmed with the rest of its row while the custom wallpaper is off.
        painter.setOpacity(isEnabled() ? 1.0 : 0.45);
        painter.drawImage(target, picture);
        painter.setOpacity(1.0);
    } else {
        const int size = 18;
        const QPixmap symbol = symbolPixmap(
            QStringLiteral("photo"), size,
            secondaryTextColor(pal, isEnabled() ? QPalette::Active : QPalette::Disabled),
            devicePixelRatioF());
        if (!symbol.isNull()) {
            painter.drawPixmap(
                QPointF(frame.center().x() - size / 2.0, frame.center().y() - size / 2.0), symbol);
        }
    }

    painter.setClipping(false);
    QPainterPath border;
    border.addRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius - 0.5,
                          kCornerRadius - 0.5);
    painter.strokePath(border, QPen(separatorColor(pal), 1.0));
}

}  // namespace hushpane::settings
