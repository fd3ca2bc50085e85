#include "services/WallpaperController.h"

#include "common/Logging.h"
#include "platform/Workspace.h"
#include "services/Preferences.h"
#include "services/WallpaperPicture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace hushpane {

namespace {

constexpr auto kOriginal = "original";
constexpr auto kShown = "shown";

// The file a local path names, through every symbolic link; the cleaned path of one that does
// not exist.
QString canonical(const QUrl& url) {
    const QString path = url.toLocalFile();
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(path) : resolved;
}

// The parts both states hold that differ: what someone else changed since `ours` went up.
QStringList changedParts(const QVariantMap& current, const QVariantMap& ours) {
    QStringList changed;
    for (auto part = ours.cbegin(); part != ours.cend(); ++part) {
        if (current.contains(part.key()) && current.value(part.key()) != part.value()) {
            changed.append(part.key());
        }
    }
    return changed;
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

WallpaperController::Prepared WallpaperController::prepare() {
    Prepared prepared;
    prepared.custom = preferences_.customWallpaperURL();
    if (!prepared.custom) {
        return prepared;
    }
    const QString customPath = prepared.custom->path();
    if (!workspace_.fileExistsAtPath(customPath)) {
        prepared.error =
            QCoreApplication::translate("hushpane::WallpaperController",
                                        "The custom wallpaper couldn't be found at %1.")
                .arg(customPath);
        return prepared;
    }
    if (auto problem = WallpaperPicture::problemWith(customPath)) {
        prepared.error = problem;
        return prepared;
    }
    const QVariantMap before = preferences_.savedWallpapers();
    const Preferences::WallpaperMap legacy = preferences_.originalWallpapers();
    prepared.saved = before;
    for (const WorkspaceScreen& screen : workspace_.screens()) {
        const QString key = displayKey(screen);
        if (prepared.saved.contains(key) || legacy.contains(key)) {
            continue;  // never overwritten: it may already hold the custom picture
        }
        if (const std::optional<QVariantMap> state = workspace_.wallpaperState(screen)) {
            prepared.saved.insert(key, QVariantMap{{QString::fromLatin1(kOriginal), *state}});
        } else if (!prepared.unreadable.contains(key)) {
            prepared.unreadable.append(key);
        }
    }
    if (prepared.saved == before) {
        return prepared;
    }
    if (auto error = preferences_.setSavedWallpapers(prepared.saved)) {
        // Not on disk, so not in memory either: a later change must not count on it.
        preferences_.setSavedWallpapers(before);
        prepared.error = QCoreApplication::translate(
                             "hushpane::WallpaperController",
                             "Couldn't store your own wallpaper to give it back later, so "
                             "nothing was changed: %1")
                             .arg(*error);
        prepared.storeFailed = true;
    }
    return prepared;
}

std::optional<QString> WallpaperController::saveOriginals() {
    const Prepared prepared = prepare();
    return prepared.storeFailed ? prepared.error : std::nullopt;
}

std::optional<QString> WallpaperController::applyCustom() {
    Prepared prepared = prepare();
    if (!prepared.custom || prepared.error) {
        return prepared.error;
    }
    const Preferences::WallpaperMap legacy = preferences_.originalWallpapers();
    std::optional<QString> result;
    for (const WorkspaceScreen& screen : workspace_.screens()) {
        const QString key = displayKey(screen);
        const auto entry = prepared.saved.find(key);
        if (entry == prepared.saved.end() && !legacy.contains(key)) {
            continue;  // what cannot be given back is not replaced
        }
        if (entry != prepared.saved.end() && userChangedWhileHidden(screen, entry->toMap())) {
            continue;  // a later run (a display attached) must not undo the user's choice
        }
        if (auto error = workspace_.setDesktopImageUrl(*prepared.custom, screen, fillOptions())) {
            result = QCoreApplication::translate("hushpane::WallpaperController",
                                                 "Couldn't set the wallpaper: %1")
                         .arg(*error);
        }
        if (entry == prepared.saved.end()) {
            continue;
        }
        // What is there now is Hushpane's; anything else there at restore is the user's.
        QVariantMap saved = entry->toMap();
        if (const std::optional<QVariantMap> shown = workspace_.wallpaperState(screen)) {
            saved.insert(QString::fromLatin1(kShown), *shown);
        } else {
            saved.remove(QString::fromLatin1(kShown));
        }
        *entry = saved;
    }
    if (auto error = preferences_.setSavedWallpapers(prepared.saved)) {
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Couldn't store what the custom wallpaper looks like: %1")
                   .arg(*error);
    }
    if (!result && !prepared.unreadable.isEmpty()) {
        result = QCoreApplication::translate(
                     "hushpane::WallpaperController",
                     "Couldn't read the wallpaper of display %1, so it keeps it.")
                     .arg(prepared.unreadable.join(QStringLiteral(", ")));
    }
    return result;
}

std::optional<QString> WallpaperController::restoreOriginals() {
    QVariantMap saved = preferences_.savedWallpapers();
    Preferences::WallpaperMap legacy = preferences_.originalWallpapers();
    if (saved.isEmpty() && legacy.isEmpty()) {
        return std::nullopt;
    }
    Preferences::WallpaperOptionsMap legacyOptions = preferences_.originalWallpaperOptions();
    std::optional<QString> result;
    for (const WorkspaceScreen& screen : workspace_.screens()) {
        const QString key = displayKey(screen);
        std::optional<QString> error;
        if (const auto entry = saved.constFind(key); entry != saved.cend()) {
            const QVariantMap stored = entry->toMap();
            QVariantMap parts = stored.value(QString::fromLatin1(kOriginal)).toMap();
            const auto shown = stored.constFind(QString::fromLatin1(kShown));
            const std::optional<QVariantMap> current =
                shown != stored.cend() ? workspace_.wallpaperState(screen) : std::nullopt;
            if (current) {
                const QStringList changed = changedParts(*current, shown->toMap());
                for (const QString& part : changed) {
                    qCInfo(lcDesktop).noquote()
                        << QStringLiteral(
                               "Keeping the wallpaper chosen while hidden on display %1 (%2)")
                               .arg(key, part);
                    parts.remove(part);
                }
            }
            error = workspace_.restoreWallpaperState(screen, parts);
            if (!error) {
                saved.remove(key);
            }
        } else if (const auto path = legacy.constFind(key); path != legacy.cend()) {
            error = restoreLegacy(screen, *path,
                                  legacyOptions.contains(key)
                                      ? std::optional<QVariantMap>(legacyOptions.value(key))
                                      : std::nullopt);
            if (!error) {
                legacy.remove(key);
                legacyOptions.remove(key);
            }
        } else {
            continue;
        }
        if (error) {
            result = QCoreApplication::translate("hushpane::WallpaperController",
                                                 "Couldn't restore the wallpaper: %1")
                         .arg(*error);
        }
    }
    if (legacy != preferences_.originalWallpapers()) {
        preferences_.setOriginalWallpapers(legacy);
        preferences_.setOriginalWallpaperOptions(legacyOptions);
    }
    if (saved != preferences_.savedWallpapers()) {
        if (auto error = preferences_.setSavedWallpapers(saved)) {
            // Harmless: a display given back no longer shows what Hushpane put there, so its
            // entry is dropped at the next restore without a change.
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("Couldn't store the wallpapers given back: %1").arg(*error);
        }
    }
    return result;
}

bool WallpaperController::userChangedWhileHidden(const WorkspaceScreen& screen,
                                                 const QVariantMap& stored) const {
    const auto shown = stored.constFind(QString::fromLatin1(kShown));
    if (shown == stored.cend()) {
        return false;
    }
    const std::optional<QVariantMap> current = workspace_.wallpaperState(screen);
    return current && !changedParts(*current, shown->toMap()).isEmpty();
}

// A picture saved by an earlier version: only its path and options. The custom picture is
// told by the file it names, through any symbolic link.
std::optional<QString> WallpaperController::restoreLegacy(
    const WorkspaceScreen& screen, const QString& path, const std::optional<QVariantMap>& options) {
    const std::optional<QUrl> custom = preferences_.customWallpaperURL();
    const std::optional<QUrl> current = workspace_.desktopImageUrl(screen);
    if (custom && current && current->isLocalFile() && canonical(*current) != canonical(*custom)) {
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("Keeping the wallpaper %1 chosen while hidden on display %2")
                   .arg(current->toDisplayString(), displayKey(screen));
        return std::nullopt;
    }
    return workspace_.setDesktopImageUrl(
        QUrl::fromLocalFile(path), screen,
        options.value_or(workspace_.desktopImageOptions(screen).value_or(fillOptions())));
}

}  // namespace hushpane
