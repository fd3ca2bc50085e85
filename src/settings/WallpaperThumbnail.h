#pragma once

#include <QUrl>
#include <QWidget>

#include <optional>

namespace hushpane::settings {

// A 56 x 36 preview of the chosen wallpaper, cropped to fill, or the "photo" symbol when there
// is no picture or it cannot be read. The file is read again on every paint, so a picture that
// changed or vanished on disk shows as it is now.
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
    std::optional<QUrl> url_;
};

}  // namespace hushpane::settings
