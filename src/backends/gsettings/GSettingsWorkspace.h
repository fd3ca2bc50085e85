#pragma once

#include "platform/Workspace.h"

#include <QStringList>

namespace hushpane {

class SettingsStore;
class UserDefaults;

// A wallpaper kept in GSettings, one for all displays (MATE, Cinnamon, GNOME): the displays
// count as one, "all", in the wallpaper map.
//
// A wallpaper state is every key a picture change writes (picture, dark-style picture, how it
// is drawn), as they are: an empty picture (the desktop's "no picture") included. An earlier
// version kept those keys under `savedKey` in the application's defaults; setting the picture
// they name restores them and forgets them.
class GSettingsWorkspace : public Workspace {
    Q_OBJECT
public:
    struct Keys {
        QString schema;                // "org.mate.background"
        QString pictureKey;            // "picture-filename"
        bool pictureIsUri = false;     // a file:// URI rather than a path
        QStringList otherPictureKeys;  // set to the same picture ("picture-uri-dark")
        QString optionsKey;            // "picture-options" (an enumeration)
        QString savedKey;              // where an earlier version kept the user's keys
        QString desktopName;           // "MATE", for messages
    };

    // The own option that carries the desktop's picture-options nick through a get and set.
    static constexpr auto kPictureOptionsKey = "GSettingsPictureOptions";
    static constexpr auto kScreenId = "all";
    static constexpr quint32 kScreenNumber = 1;
    static constexpr auto kStatePart = "settings";

    GSettingsWorkspace(SettingsStore& store, UserDefaults& defaults, Keys keys,
                       QObject* parent = nullptr);

    QList<WorkspaceScreen> screens() const override;
    std::optional<QUrl> desktopImageUrl(const WorkspaceScreen& screen) const override;
    std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen& screen) const override;
    std::optional<QString> setDesktopImageUrl(const QUrl& url, const WorkspaceScreen& screen,
                                              const QVariantMap& options) override;
    std::optional<QVariantMap> wallpaperState(const WorkspaceScreen& screen) const override;
    std::optional<QString> restoreWallpaperState(const WorkspaceScreen& screen,
                                                 const QVariantMap& state) override;

    // The picture-options nick for wallpaper options, and back.
    static QString pictureOptionsFor(const QVariantMap& options);
    static QVariantMap optionsForPictureOptions(const QString& nick);

private:
    std::optional<QUrl> urlOf(const QVariant& picture) const;
    QString pictureText(const QUrl& url) const;
    QStringList allKeys() const;
    std::optional<QString> restoreUserWallpaper(const QVariantMap& saved);
    std::optional<QString> failure(const QString& message) const;

    SettingsStore& store_;
    UserDefaults& defaults_;
    Keys keys_;
};

}  // namespace hushpane
