#include "services/WallpaperController.h"

#include "common/Logging.h"
#include "platform/Workspace.h"
#include "services/Preferences.h"
#include "services/WallpaperPicture.h"

#include <QCoreApplication>
#include <QDir>

namespace hushpane {

namespace {

// "/a/./b/../c.png" and "/a/c.png" name the same picture.
QUrl standardized(const QUrl& url) {
    if (url.isLocalFile()) {
        return QUrl::fromLocalFile(QDir::cleanPath(url.toLocalFile()));
    }
    return url.adjusted(QUrl::NormalizePathSegments);
}

}  // namespace

WallpaperController::WallpaperController(Preferences& preferences, Workspace& workspace)
    : preferences_(preferences), workspace_(workspace) {}

const QVariantMap& WallpaperController::fillOptions() {
    static const QVariantMap options{
        {QString::fromLatin1(kDesktopImageScalingKey), QVariant(3u)},
        {QString::fromLatin1(kDesktopImageAllowClippingKey), QVariant(true)},
    };
    return options;
}

QString WallpaperController::displayKey(const WorkspaceScreen& screen) {
    const QVariant number = screen.deviceDescription.value(QStringLiteral("NSScreenNumber"));
    bool ok = false;
    quint32 value = 0;
    switch (number.typeId()) {
        case QMetaType::UInt:
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::ULongLong: {
            const qlonglong n = number.toLongLong(&ok);
            // Taken as an unsigned 32-bit number, as the platform reports it.
            value = ok ? static_cast<quint32>(n) : 0;
            break;
        }
        case QMetaType::Double:
            value = static_cast<quint32>(static_cast<qlonglong>(number.toDouble()));
            break;
        default:
            value = 0;
    }
    return QString::number(value);
}

std::optional<QString> WallpaperController::applyCustom() {
    const std::optional<QUrl> custom = preferences_.customWallpaperURL();
    if (!custom) {
        return std::nullopt;
    }
    const QString customPath = custom->path();
    if (!workspace_.fileExistsAtPath(customPath)) {
        return QCoreApplication::translate("hushpane::WallpaperController",
                                           "The custom wallpaper couldn't be found at %1.")
            .arg(customPath);
    }
    if (auto problem = WallpaperPicture::problemWith(customPath)) {
        return problem;
    }
    Preferences::WallpaperMap saved = preferences_.originalWallpapers();
    Preferences::WallpaperOptionsMap savedOptions = preferences_.originalWallpaperOptions();
    std::optional<QString> result;
    const QUrl customStandard = standardized(*custom);
    for (const WorkspaceScreen& screen : workspace_.screens()) {
        const QString key = displayKey(screen);
        if (!saved.contains(key)) {
            // Saved before the custom picture is tried, so a failed attempt is still undone
            // by the next restore. The options too: setting the picture overwrites them.
            const std::optional<QUrl> current = workspace_.desktopImageUrl(screen);
            if (current && standardized(*current) != customStandard) {
                saved.insert(key, current->path());
                if (auto options = workspace_.desktopImageOptions(screen)) {
                    savedOptions.insert(key, *options);
                } else {
                    savedOptions.remove(key);
                }
            }
        }
        if (auto error = workspace_.setDesktopImageUrl(*custom, screen, fillOptions())) {
            result = QCoreApplication::translate("hushpane::WallpaperController",
                                                 "Couldn't set the wallpaper: %1")
                         .arg(*error);
        }
    }
    preferences_.setOriginalWallpaperOptions(savedOptions);
    preferences_.setOriginalWallpapers(saved);
    return result;
}

std::optional<QString> WallpaperController::restoreOriginals() {
    Preferences::WallpaperMap saved = preferences_.originalWallpapers();
    if (saved.isEmpty()) {
        return std::nullopt;
    }
    Preferences::WallpaperOptionsMap savedOptions = preferences_.originalWallpaperOptions();
    const std::optional<QUrl> custom = preferences_.customWallpaperURL();
    std::optional<QString> result;
    for (const WorkspaceScreen& screen : workspace_.screens()) {
        const QString key = displayKey(screen);
        const auto entry = saved.constFind(key);
        if (entry == saved.cend()) {
            continue;
        }
        const std::optional<QUrl> current = workspace_.desktopImageUrl(screen);
        if (custom && current && standardized(*current) != standardized(*custom)) {
            // Not ours any more: the user chose this picture in the desktop's own settings
            // while the icons were hidden, and that choice stays.
            qCInfo(lcDesktop).noquote()
                << QStringLiteral("Keeping the wallpaper %1 chosen while hidden on display %2")
                       .arg(current->toDisplayString(), key);
            saved.remove(key);
            savedOptions.remove(key);
            continue;
        }
        const auto known = savedOptions.constFind(key);
        const QVariantMap options =
            known != savedOptions.cend()
                ? *known
                : workspace_.desktopImageOptions(screen).value_or(fillOptions());
        if (auto error =
                workspace_.setDesktopImageUrl(QUrl::fromLocalFile(*entry), screen, options)) {
            result = QCoreApplication::translate("hushpane::WallpaperController",
                                                 "Couldn't restore the wallpaper: %1")
                         .arg(*error);
        } else {
            saved.remove(key);
            savedOptions.remove(key);
        }
    }
    preferences_.setOriginalWallpapers(saved);
    preferences_.setOriginalWallpaperOptions(savedOptions);
    return result;
}

}  // namespace hushpane
