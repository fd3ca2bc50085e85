#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace hushpane {

// One attached display. `deviceDescription` carries the platform's description of it; the
// entry "NSScreenNumber" (an unsigned number) identifies the display across restarts.
struct WorkspaceScreen {
    QString id;  // the platform's own handle for the display, e.g. a connector name
    QVariantMap deviceDescription;
};

// Wallpaper options, keyed as the desktop-image options are.
inline constexpr auto kDesktopImageScalingKey = "NSWorkspaceDesktopImageScalingKey";
inline constexpr auto kDesktopImageAllowClippingKey = "NSWorkspaceDesktopImageAllowClippingKey";

// How a picture fills the display, as the options above ask for it.
enum class DesktopImageFit {
    stretch,  // both axes scaled independently
    center,   // not scaled
    fit,      // scaled proportionally, the whole picture inside the display
    fill,     // scaled proportionally to cover the display, the rest clipped
};
// Without a scaling option a picture is scaled proportionally, up or down; clipping allowed,
// that fills the display. Scaling down only also fits.
DesktopImageFit desktopImageFit(const QVariantMap& options);

// The desktop's per-display wallpaper and the displays themselves.
class Workspace : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The attached displays, in the platform's order.
    virtual QList<WorkspaceScreen> screens() const = 0;

    virtual std::optional<QUrl> desktopImageUrl(const WorkspaceScreen& screen) const = 0;

    // Every setting besides the picture that setDesktopImageUrl writes for this display, in
    // keys of the back-end's own (e.g. an image style) next to the common ones above. Setting
    // a saved url with these options again restores the display exactly as it was, so the
    // map must carry each property the back-end would otherwise overwrite. Nothing when the
    // desktop cannot be asked.
    virtual std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen& screen) const = 0;

    // Nothing on success, else the error's readable description. Calls to the desktop's
    // daemon are bounded by kDesktopCallTimeoutMs (platform/DesktopSwitch.h) each.
    virtual std::optional<QString> setDesktopImageUrl(const QUrl& url,
                                                      const WorkspaceScreen& screen,
                                                      const QVariantMap& options) = 0;

    // Everything the desktop keeps of a display's wallpaper that setDesktopImageUrl may change
    // (picture or none, how it is drawn, per workspace where the desktop has workspaces), as
    // independent parts: part name -> that part's settings. Values are property-list types, so
    // a state can be stored and handed back after a restart; callers compare parts but never
    // look inside one. Nothing when the desktop cannot be asked.
    //
    // By default one part, "picture", made of desktopImageUrl and desktopImageOptions; a
    // display without a readable picture then has no state.
    virtual std::optional<QVariantMap> wallpaperState(const WorkspaceScreen& screen) const;

    // Puts the named parts of a state from wallpaperState back; parts not named stay as they
    // are. Nothing on success, else the error's readable description.
    virtual std::optional<QString> restoreWallpaperState(const WorkspaceScreen& screen,
                                                         const QVariantMap& state);

    virtual bool fileExistsAtPath(const QString& path) const;

Q_SIGNALS:
    // Displays were attached, detached or rearranged.
    void screenParametersChanged();
};

}  // namespace hushpane
