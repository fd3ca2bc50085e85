#pragma once

#include "platform/Workspace.h"

#include <QStringList>

namespace hushpane {

class SettingsStore;
class UserDefaults;

// A wallpaper kept in GSettings, one for all displays (MATE, Cinnamon, GNOME): the displays
// count as one, "all", in the wallpaper map.
//
// Before the first picture that is not the user's own goes up, every key of the user's
// wallpaper (picture, dark-style picture, how it is drawn) is kept in the application's
// defaults; setting the user's own picture back restores exactly those values and forgets
// them. Kept there, they survive Hushpane being killed.
class GSettingsWorkspace : public Workspace {
    Q_OBJECT
public:
    struct Keys {
        QString schema;                // "org.mate.background"
        QString pictureKey;            // "picture-filename"
        bool pictureIsUri = false;     // a file:// URI rather than a path
        QStringList otherPictureKeys;  // set to the same picture ("picture-uri-dark")
        QString optionsKey;            // "picture-options" (an enumeration)
        QString savedKey;              // in the application's defaults
        QString desktopName;           // "MATE", for messages
    };

    // The own option that carries the desktop's picture-options nick through a get and set.
    static constexpr auto kPictureOptionsKey = "GSettingsPictureOptions";
    static constexpr auto kScreenId = "all";
    static constexpr quint32 kScreenNumber = 1;

    GSettingsWorkspace(SettingsStore& store, UserDefaults& defaults, Keys keys,
                       QObject* parent = nullptr);

    QList<WorkspaceScreen> screens() const override;
    std::optional<QUrl> desktopImageUrl(const WorkspaceScreen& screen) const override;
    std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen& screen) const override;
    std::optional<QString> setDesktopImageUrl(const QUrl& url, const WorkspaceScreen& screen,
                                              const QVariantMap& options) override;

    // The picture-options nick for wallpaper options, and back.
    static QString pictureOptionsFor(const QVariantMap& options);
    static QVariantMap optionsForPictureOptions(const QString& nick);

private:
    std::optional<QUrl> urlOf(const QVariant& picture) const;
    QString pictureText(const QUrl& url) const;
    QStringList allKeys() const;
    // Nothing on success; the user's keys are then in the defaults.
    std::optional<QString> rememberUserWallpaper();
    std::optional<QString> restoreUserWallpaper(const QVariantMap& saved);
    std::optional<QString> failure(const QString& message) const;

    SettingsStore& store_;
    UserDefaults& defaults_;
    Keys keys_;
};

}  // namespace hushpane
