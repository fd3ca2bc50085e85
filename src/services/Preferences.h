#pragma once

#include "services/MenuBarIcon.h"

#include <QMap>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace hushpane {

class FileBookmarks;
class UserDefaults;

// The application's settings, loaded from its own defaults at creation and written back on
// every assignment. Each property's signal fires once per real change; assigning an equal value
// still persists it but tells nobody.
class Preferences : public QObject {
    Q_OBJECT
public:
    using WallpaperMap = QMap<QString, QString>;  // display key -> picture path
    // display key -> the options its picture was drawn with
    using WallpaperOptionsMap = QMap<QString, QVariantMap>;

    static constexpr auto kShowDockIconKey = "showDockIcon";
    static constexpr auto kMenuBarIconKey = "menuBarIcon";
    static constexpr auto kUseCustomWallpaperKey = "useCustomWallpaper";
    static constexpr auto kOriginalWallpapersKey = "originalWallpapers";
    static constexpr auto kOriginalWallpaperOptionsKey = "originalWallpaperOptions";
    static constexpr auto kSavedWallpapersKey = "savedWallpapers";
    static constexpr auto kCustomWallpaperBookmarkKey = "customWallpaperBookmark";
    static constexpr auto kCustomWallpaperPathKey = "customWallpaperPath";
    static constexpr auto kHideWhileScreenSharedKey = "hideWhileScreenShared";
    static constexpr auto kHideWhileMirroredKey = "hideWhileMirrored";
    // What hid the icons by itself and is not over yet, so a restart in the middle follows on.
    static constexpr auto kAutoHideStateKey = "autoHideState";
    // Which desktop to drive ("auto", or a driver's name); read once at start.
    static constexpr auto kDesktopDriverKey = "desktopDriver";

    Preferences(UserDefaults& defaults, const FileBookmarks& bookmarks, QObject* parent = nullptr);

    bool showDockIcon() const { return showDockIcon_; }
    void setShowDockIcon(bool value);

    MenuBarIcon menuBarIcon() const { return menuBarIcon_; }
    void setMenuBarIcon(MenuBarIcon value);

    bool useCustomWallpaper() const { return useCustomWallpaper_; }
    void setUseCustomWallpaper(bool value);

    bool hideWhileScreenShared() const { return hideWhileScreenShared_; }
    void setHideWhileScreenShared(bool value);
    bool hideWhileMirrored() const { return hideWhileMirrored_; }
    void setHideWhileMirrored(bool value);

    // Free-form for the auto-hide rules to keep across restarts; empty when nothing is going on.
    QString autoHideState() const;
    void setAutoHideState(const QString& value);

    std::optional<QUrl> customWallpaperURL() const { return customWallpaperURL_; }
    void setCustomWallpaperURL(const std::optional<QUrl>& value);

    WallpaperMap originalWallpapers() const { return originalWallpapers_; }
    void setOriginalWallpapers(const WallpaperMap& value);

    WallpaperOptionsMap originalWallpaperOptions() const { return originalWallpaperOptions_; }
    void setOriginalWallpaperOptions(const WallpaperOptionsMap& value);

    // display key -> {"original": the user's wallpaper state, "shown": the state Hushpane put
    // there}, as Workspace::wallpaperState gives them. Replaces the two maps above, which are
    // still read so that pictures saved by an earlier version come back.
    QVariantMap savedWallpapers() const { return savedWallpapers_; }
    // Nothing once the map is on disk, else why it could not be stored (the map is then kept
    // in memory only).
    std::optional<QString> setSavedWallpapers(const QVariantMap& value);

Q_SIGNALS:
    void showDockIconChanged();
    void menuBarIconChanged();
    void useCustomWallpaperChanged();
    void customWallpaperURLChanged();
    void hideWhileScreenSharedChanged();
    void hideWhileMirroredChanged();
    void originalWallpapersChanged();

private:
    std::optional<QUrl> resolveCustomWallpaper() const;
    void persistCustomWallpaperURL();
    void storeIfChanged(const QString& name, const std::optional<QVariant>& value);

    UserDefaults& defaults_;
    const FileBookmarks& bookmarks_;
    bool showDockIcon_ = false;
    MenuBarIcon menuBarIcon_ = MenuBarIcon::grid;
    bool useCustomWallpaper_ = false;
    bool hideWhileScreenShared_ = false;
    bool hideWhileMirrored_ = false;
    std::optional<QUrl> customWallpaperURL_;
    WallpaperMap originalWallpapers_;
    WallpaperOptionsMap originalWallpaperOptions_;
    QVariantMap savedWallpapers_;
};

}  // namespace hushpane
