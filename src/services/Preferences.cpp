#include "services/Preferences.h"

#include "common/UserDefaults.h"
#include "platform/FileBookmarks.h"

#include <QVariantMap>

namespace hushpane {

namespace {

QString key(const char* k) {
    return QString::fromLatin1(k);
}

// The stored map only counts when every value is text; one stray value discards all of it.
Preferences::WallpaperMap wallpaperMapFrom(const std::optional<QVariantMap>& stored) {
    Preferences::WallpaperMap map;
    if (!stored) {
        return map;
    }
    for (auto it = stored->cbegin(); it != stored->cend(); ++it) {
        if (it.value().typeId() != QMetaType::QString) {
            return {};
        }
        map.insert(it.key(), it.value().toString());
    }
    return map;
}

}  // namespace

Preferences::Preferences(UserDefaults& defaults, const FileBookmarks& bookmarks, QObject* parent)
    : QObject(parent), defaults_(defaults), bookmarks_(bookmarks) {
    showDockIcon_ = defaults_.boolForKey(key(kShowDockIconKey));
    const auto iconText = defaults_.stringForKey(key(kMenuBarIconKey));
    menuBarIcon_ = iconText ? MenuBarIcon::fromRawValue(*iconText).value_or(MenuBarIcon::grid)
                            : MenuBarIcon::grid;
    useCustomWallpaper_ = defaults_.boolForKey(key(kUseCustomWallpaperKey));
    hideWhileScreenShared_ = defaults_.boolForKey(key(kHideWhileScreenSharedKey));
    hideWhileMirrored_ = defaults_.boolForKey(key(kHideWhileMirroredKey));
    originalWallpapers_ = wallpaperMapFrom(defaults_.dictionaryForKey(key(kOriginalWallpapersKey)));
    if (const auto options = defaults_.dictionaryForKey(key(kOriginalWallpaperOptionsKey))) {
        for (auto it = options->cbegin(); it != options->cend(); ++it) {
            // Anything but a dictionary is left out: that display then keeps its options.
            if (it.value().typeId() == QMetaType::QVariantMap) {
                originalWallpaperOptions_.insert(it.key(), it.value().toMap());
            }
        }
    }
    if (const auto saved = defaults_.dictionaryForKey(key(kSavedWallpapersKey))) {
        for (auto it = saved->cbegin(); it != saved->cend(); ++it) {
            // An entry without the user's own state can give nothing back.
            if (it.value().toMap().value(QStringLiteral("original")).typeId() ==
                QMetaType::QVariantMap) {
                savedWallpapers_.insert(it.key(), it.value());
            }
        }
    }
    // An ordinary assignment, so a stale bookmark is renewed and the path rewritten from what
    // was resolved. Nobody observes yet.
    setCustomWallpaperURL(resolveCustomWallpaper());
}

std::optional<QUrl> Preferences::resolveCustomWallpaper() const {
    if (const auto bookmark = defaults_.dataForKey(key(kCustomWallpaperBookmarkKey))) {
        if (auto url = bookmarks_.resolve(*bookmark)) {
            return url;
        }
    }
    if (const auto path = defaults_.stringForKey(key(kCustomWallpaperPathKey))) {
        return QUrl::fromLocalFile(*path);
    }
    return std::nullopt;
}

void Preferences::setHideWhileScreenShared(bool value) {
    const bool changed = value != hideWhileScreenShared_;
    hideWhileScreenShared_ = value;
    defaults_.setBool(key(kHideWhileScreenSharedKey), value);
    if (changed) {
        Q_EMIT hideWhileScreenSharedChanged();
    }
}

void Preferences::setHideWhileMirrored(bool value) {
    const bool changed = value != hideWhileMirrored_;
    hideWhileMirrored_ = value;
    defaults_.setBool(key(kHideWhileMirroredKey), value);
    if (changed) {
        Q_EMIT hideWhileMirroredChanged();
    }
}

QString Preferences::autoHideState() const {
    return defaults_.stringForKey(key(kAutoHideStateKey)).value_or(QString());
}

void Preferences::setAutoHideState(const QString& value) {
    if (value == autoHideState()) {
        return;
    }
    if (value.isEmpty()) {
        defaults_.removeObjectForKey(key(kAutoHideStateKey));
    } else {
        defaults_.setString(key(kAutoHideStateKey), value);
    }
}

void Preferences::setShowDockIcon(bool value) {
    const bool changed = value != showDockIcon_;
    showDockIcon_ = value;
    defaults_.setBool(key(kShowDockIconKey), value);
    if (changed) {
        Q_EMIT showDockIconChanged();
    }
}

void Preferences::setMenuBarIcon(MenuBarIcon value) {
    const bool changed = !(value == menuBarIcon_);
    menuBarIcon_ = value;
    defaults_.setString(key(kMenuBarIconKey), value.rawValue());
    if (changed) {
        Q_EMIT menuBarIconChanged();
    }
}

void Preferences::setUseCustomWallpaper(bool value) {
    const bool changed = value != useCustomWallpaper_;
    useCustomWallpaper_ = value;
    defaults_.setBool(key(kUseCustomWallpaperKey), value);
    if (changed) {
        Q_EMIT useCustomWallpaperChanged();
    }
}

void Preferences::setCustomWallpaperURL(const std::optional<QUrl>& value) {
    const bool changed = value != customWallpaperURL_;
    customWallpaperURL_ = value;
    persistCustomWallpaperURL();
    if (changed) {
        Q_EMIT customWallpaperURLChanged();
    }
}

void Preferences::persistCustomWallpaperURL() {
    std::optional<QVariant> path;
    std::optional<QVariant> bookmark;
    if (customWallpaperURL_) {
        path = QVariant(customWallpaperURL_->path());
        if (const auto data = bookmarks_.create(*customWallpaperURL_)) {
            bookmark = QVariant(*data);
        }
    }
    // Every launch assigns the resolved wallpaper again; only a renewed bookmark or a moved
    // file is worth a write of the preference file.
    storeIfChanged(key(kCustomWallpaperPathKey), path);
    storeIfChanged(key(kCustomWallpaperBookmarkKey), bookmark);
    // Sandboxed file access has no counterpart here: the file is simply readable.
}

void Preferences::storeIfChanged(const QString& name, const std::optional<QVariant>& value) {
    if (defaults_.objectForKey(name) != value) {
        defaults_.setObject(name, value);
    }
}

void Preferences::setOriginalWallpapers(const WallpaperMap& value) {
    const bool changed = value != originalWallpapers_;
    originalWallpapers_ = value;
    QVariantMap stored;
    for (auto it = value.cbegin(); it != value.cend(); ++it) {
        stored.insert(it.key(), it.value());
    }
    defaults_.setObject(key(kOriginalWallpapersKey), QVariant(stored));
    if (changed) {
        Q_EMIT originalWallpapersChanged();
    }
}

std::optional<QString> Preferences::setSavedWallpapers(const QVariantMap& value) {
    const bool changed = value != savedWallpapers_;
    savedWallpapers_ = value;
    if (value.isEmpty()) {
        defaults_.removeObjectForKey(key(kSavedWallpapersKey));
    } else {
        defaults_.setObject(key(kSavedWallpapersKey), QVariant(value));
    }
    if (changed) {
        Q_EMIT originalWallpapersChanged();
    }
    if (!defaults_.lastWriteSucceeded()) {
        return defaults_.lastWriteError();
    }
    return std::nullopt;
}

void Preferences::setOriginalWallpaperOptions(const WallpaperOptionsMap& value) {
    if (value == originalWallpaperOptions_) {
        return;
    }
    originalWallpaperOptions_ = value;
    QVariantMap stored;
    for (auto it = value.cbegin(); it != value.cend(); ++it) {
        stored.insert(it.key(), it.value());
    }
    defaults_.setObject(key(kOriginalWallpaperOptionsKey), QVariant(stored));
}

}  // namespace hushpane
