#include "platform/Workspace.h"

#include <QFileInfo>

namespace hushpane {

DesktopImageFit desktopImageFit(const QVariantMap& options) {
    const QVariant scaling = options.value(QString::fromLatin1(kDesktopImageScalingKey));
    switch (scaling.isValid() ? scaling.toInt() : 3) {
        case 1:
            return DesktopImageFit::stretch;
        case 2:
            return DesktopImageFit::center;
        case 0:
            return DesktopImageFit::fit;
        default:
            return options.value(QString::fromLatin1(kDesktopImageAllowClippingKey)).toBool()
                       ? DesktopImageFit::fill
                       : DesktopImageFit::fit;
    }
}

namespace {

constexpr auto kPicturePart = "picture";
constexpr auto kPathKey = "path";
constexpr auto kOptionsKey = "options";

}  // namespace

std::optional<QVariantMap> Workspace::wallpaperState(const WorkspaceScreen& screen) const {
    const std::optional<QUrl> url = desktopImageUrl(screen);
    if (!url || !url->isLocalFile()) {
        return std::nullopt;
    }
    QVariantMap picture{{QString::fromLatin1(kPathKey), url->toLocalFile()}};
    if (const std::optional<QVariantMap> options = desktopImageOptions(screen)) {
        picture.insert(QString::fromLatin1(kOptionsKey), *options);
    }
    return QVariantMap{{QString::fromLatin1(kPicturePart), picture}};
}

std::optional<QString> Workspace::restoreWallpaperState(const WorkspaceScreen& screen,
                                                        const QVariantMap& state) {
    const auto part = state.constFind(QString::fromLatin1(kPicturePart));
    if (part == state.cend()) {
        return std::nullopt;
    }
    const QVariantMap picture = part->toMap();
    const QString path = picture.value(QString::fromLatin1(kPathKey)).toString();
    if (path.isEmpty()) {
        return tr("the saved wallpaper names no picture");
    }
    const auto options = picture.constFind(QString::fromLatin1(kOptionsKey));
    return setDesktopImageUrl(QUrl::fromLocalFile(path), screen,
                              options != picture.cend()
                                  ? options->toMap()
                                  : desktopImageOptions(screen).value_or(QVariantMap()));
}

bool Workspace::fileExistsAtPath(const QString& path) const {
    return QFileInfo::exists(path);
}

}  // namespace hushpane
