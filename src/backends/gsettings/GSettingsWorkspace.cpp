#include "backends/gsettings/GSettingsWorkspace.h"

#include "backends/gsettings/SettingsStore.h"
#include "common/Logging.h"
#include "common/UserDefaults.h"

namespace hushpane {

namespace {

constexpr auto kScreenNumberKey = "NSScreenNumber";

bool sameFile(const QUrl& a, const QUrl& b) {
    return a.isLocalFile() && b.isLocalFile() &&
           QUrl::fromLocalFile(a.toLocalFile()).adjusted(QUrl::NormalizePathSegments) ==
               QUrl::fromLocalFile(b.toLocalFile()).adjusted(QUrl::NormalizePathSegments);
}

}  // namespace

GSettingsWorkspace::GSettingsWorkspace(SettingsStore& store, UserDefaults& defaults, Keys keys,
                                       QObject* parent)
    : Workspace(parent), store_(store), defaults_(defaults), keys_(std::move(keys)) {}

QList<WorkspaceScreen> GSettingsWorkspace::screens() const {
    WorkspaceScreen all;
    all.id = QString::fromLatin1(kScreenId);
    all.deviceDescription.insert(QString::fromLatin1(kScreenNumberKey),
                                 QVariant::fromValue(kScreenNumber));
    return {all};
}

std::optional<QUrl> GSettingsWorkspace::urlOf(const QVariant& picture) const {
    if (picture.typeId() != QMetaType::QString || picture.toString().isEmpty()) {
        return std::nullopt;
    }
    const QString text = picture.toString();
    const QUrl url = keys_.pictureIsUri ? QUrl(text) : QUrl::fromLocalFile(text);
    if (!url.isValid() || !url.isLocalFile()) {
        return std::nullopt;
    }
    return url;
}

QString GSettingsWorkspace::pictureText(const QUrl& url) const {
    return keys_.pictureIsUri ? QString::fromUtf8(url.toEncoded()) : url.toLocalFile();
}

QStringList GSettingsWorkspace::allKeys() const {
    return QStringList{keys_.pictureKey} + keys_.otherPictureKeys + QStringList{keys_.optionsKey};
}

std::optional<QString> GSettingsWorkspace::failure(const QString& message) const {
    qCWarning(lcDesktop).noquote()
        << QStringLiteral("%1 wallpaper: %2").arg(keys_.desktopName, message);
    return message;
}

std::optional<QUrl> GSettingsWorkspace::desktopImageUrl(const WorkspaceScreen&) const {
    const SettingsStore::Value picture = store_.value(keys_.schema, keys_.pictureKey);
    if (picture.error) {
        failure(QStringLiteral("couldn't read %1: %2").arg(keys_.pictureKey, *picture.error));
        return std::nullopt;
    }
    if (picture.value->typeId() != QMetaType::QString) {
        failure(QStringLiteral("%1 holds a value of an unexpected type (%2); left alone")
                    .arg(keys_.pictureKey, QString::fromLatin1(picture.value->typeName())));
        return std::nullopt;
    }
    return urlOf(*picture.value);
}

std::optional<QVariantMap> GSettingsWorkspace::desktopImageOptions(const WorkspaceScreen&) const {
    const SettingsStore::Value nick = store_.value(keys_.schema, keys_.optionsKey);
    if (nick.error || nick.value->typeId() != QMetaType::QString) {
        return std::nullopt;
    }
    return optionsForPictureOptions(nick.value->toString());
}

std::optional<QString> GSettingsWorkspace::setDesktopImageUrl(const QUrl& url,
                                                              const WorkspaceScreen&,
                                                              const QVariantMap& options) {
    if (!url.isLocalFile()) {
        return failure(tr("only a local picture can be shown, not %1").arg(url.toDisplayString()));
    }
    // Kept by an earlier version while hidden: setting the user's own picture back restores
    // every key it kept.
    const QString savedKey = keys_.savedKey;
    if (const std::optional<QVariantMap> saved = defaults_.dictionaryForKey(savedKey)) {
        const std::optional<QUrl> own = urlOf(saved->value(keys_.pictureKey));
        if (own && sameFile(*own, url)) {
            if (auto error = restoreUserWallpaper(*saved)) {
                return error;
            }
            defaults_.removeObjectForKey(savedKey);
            return std::nullopt;
        }
    }
    const QString picture = pictureText(url);
    for (const QString& key : QStringList{keys_.pictureKey} + keys_.otherPictureKeys) {
        if (auto error = store_.setValue(keys_.schema, key, picture)) {
            return failure(*error);
        }
    }
    if (auto error = store_.setValue(keys_.schema, keys_.optionsKey, pictureOptionsFor(options))) {
        return failure(*error);
    }
    return std::nullopt;
}

std::optional<QVariantMap> GSettingsWorkspace::wallpaperState(const WorkspaceScreen&) const {
    QVariantMap values;
    for (const QString& key : allKeys()) {
        const SettingsStore::Value value = store_.value(keys_.schema, key);
        if (value.error) {
            failure(QStringLiteral("couldn't read %1: %2").arg(key, *value.error));
            return std::nullopt;
        }
        if (value.value->typeId() != QMetaType::QString) {
            failure(QStringLiteral("%1 holds a value of an unexpected type (%2); left alone")
                        .arg(key, QString::fromLatin1(value.value->typeName())));
            return std::nullopt;
        }
        // An empty picture is the desktop's "no picture" (a plain colour): kept like any other.
        values.insert(key, *value.value);
    }
    return QVariantMap{{QString::fromLatin1(kStatePart), values}};
}

std::optional<QString> GSettingsWorkspace::restoreWallpaperState(const WorkspaceScreen&,
                                                                 const QVariantMap& state) {
    const auto part = state.constFind(QString::fromLatin1(kStatePart));
    if (part == state.cend()) {
        return std::nullopt;
    }
    return restoreUserWallpaper(part->toMap());
}

std::optional<QString> GSettingsWorkspace::restoreUserWallpaper(const QVariantMap& saved) {
    std::optional<QString> result;
    for (const QString& key : allKeys()) {
        const auto value = saved.constFind(key);
        if (value == saved.cend()) {
            continue;
        }
        if (auto error = store_.setValue(keys_.schema, key, *value); error && !result) {
            result = failure(*error);
        }
    }
    if (!result) {
        qCInfo(lcDesktop).noquote()
            << QStringLiteral("%1 wallpaper: the user's own is back").arg(keys_.desktopName);
    }
    return result;
}

QString GSettingsWorkspace::pictureOptionsFor(const QVariantMap& options) {
    QString own = options.value(QString::fromLatin1(kPictureOptionsKey)).toString();
    static const QStringList kNicks{QStringLiteral("none"),      QStringLiteral("wallpaper"),
                                    QStringLiteral("centered"),  QStringLiteral("scaled"),
                                    QStringLiteral("stretched"), QStringLiteral("zoom"),
                                    QStringLiteral("spanned")};
    if (kNicks.contains(own)) {
        return own;
    }
    switch (desktopImageFit(options)) {
        case DesktopImageFit::stretch:
            return QStringLiteral("stretched");
        case DesktopImageFit::center:
            return QStringLiteral("centered");
        case DesktopImageFit::fill:
            return QStringLiteral("zoom");
        case DesktopImageFit::fit:
            break;
    }
    return QStringLiteral("scaled");
}

QVariantMap GSettingsWorkspace::optionsForPictureOptions(const QString& nick) {
    uint scaling = 3;
    bool clipping = false;
    if (nick == QLatin1String("centered") || nick == QLatin1String("wallpaper")) {
        scaling = 2;
    } else if (nick == QLatin1String("stretched")) {
        scaling = 1;
    } else if (nick == QLatin1String("zoom") || nick == QLatin1String("spanned")) {
        clipping = true;
    }
    return QVariantMap{{QString::fromLatin1(kPictureOptionsKey), nick},
                       {QString::fromLatin1(kDesktopImageScalingKey), scaling},
                       {QString::fromLatin1(kDesktopImageAllowClippingKey), clipping}};
}

}  // namespace hushpane
