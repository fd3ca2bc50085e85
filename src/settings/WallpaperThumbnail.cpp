#include "settings/WallpaperThumbnail.h"

#include "settings/SettingsPalette.h"

#include <QImageReader>
#include <QPainter>
#include <QPainterPath>

namespace hushpane::settings {

WallpaperThumbnail::WallpaperThumbnail(QWidget* parent) : QWidget(parent) {
    setFixedSize(kWidth, kHeight);
    setAccessibleName(tr("Wallpaper preview"));
}

void WallpaperThumbnail::setUrl(const std::optional<QUrl>& url) {
    url_ = url;
    update();
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

    QImage picture;
    if (url_ && url_->isLocalFile()) {
        QImageReader reader(url_->toLocalFile());
        reader.setAutoTransform(true);
        picture = reader.read();
    }
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
