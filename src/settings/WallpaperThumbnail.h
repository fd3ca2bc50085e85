#pragma once

#include <QImage>
#include <QUrl>
#include <QWidget>

#include <optional>

namespace hushpane::settings {

// A 56 x 36 preview of the chosen wallpaper, cropped to fill, or the "photo" symbol when there
// is no picture or it cannot be read. Each paint looks at the file again, so a picture that
// changed or vanished on disk shows as it is now; an unchanged one is not decoded again, and a
// large one is decoded at the preview's size.
class WallpaperThumbnail : public QWidget {
    Q_OBJECT
public:
    explicit WallpaperThumbnail(QWidget* parent = nullptr);

    void setUrl(const std::optional<QUrl>& url);
    std::optional<QUrl> url() const { return url_; }

    static constexpr int kWidth = 56;
    static constexpr int kHeight = 36;
    static constexpr qreal kCornerRadius = 5.0;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage currentPicture();

    struct Decoded {
        struct Stamp {
            QString path;
            quint64 inode = 0;
            qint64 size = -1;
            qint64 seconds = 0;
            qint64 nanoseconds = 0;
            bool operator==(const Stamp&) const = default;
        };
        Stamp stamp;
        QImage picture;
    };

    std::optional<QUrl> url_;
    Decoded cached_;
};

}  // namespace hushpane::settings
