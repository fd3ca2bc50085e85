#pragma once

#include "platform/Workspace.h"

namespace hushpane {

class PlasmaScripting;

// Plasma's wallpapers: each screen's desktop containment (of the current activity) has its
// own, drawn by its wallpaper plugin. Only the picture plugin (org.kde.image) is read and
// written: its Image and FillMode in the containment's Wallpaper/org.kde.image/General group.
// A screen showing another kind of wallpaper (a slide show, a plain colour) has no picture to
// give back, so it is left alone and setting a picture there fails with the reason. A desktop
// whose Image is unset shows Plasma's own picture (PlasmaDefaultWallpaper), which is given
// back by unsetting Image again.
//
// Plasma numbers its screens from 0 and keeps a number for the same monitor across restarts;
// a screen's display number in the wallpaper map is that number plus one.
class PlasmaWorkspace : public Workspace {
    Q_OBJECT
public:
    static constexpr auto kImagePlugin = "org.kde.image";
    // Carries Plasma's own FillMode through a get and set, so the tiled modes survive.
    static constexpr auto kFillModeKey = "PlasmaFillMode";
    static constexpr auto kScreenKey = "PlasmaScreen";

    explicit PlasmaWorkspace(PlasmaScripting& scripting, QObject* parent = nullptr);

    QList<WorkspaceScreen> screens() const override;
    std::optional<QUrl> desktopImageUrl(const WorkspaceScreen& screen) const override;
    std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen& screen) const override;
    std::optional<QString> setDesktopImageUrl(const QUrl& url, const WorkspaceScreen& screen,
                                              const QVariantMap& options) override;

    // Plasma's FillMode (Qt Quick's Image.fillMode) for wallpaper options, and back.
    static int fillModeFor(const QVariantMap& options);
    static QVariantMap optionsForFillMode(int fillMode);

private:
    struct Desktop {
        QString id;
        int screen = -1;
        QString plugin;
        QString image;
        int fillMode = 2;
    };
    struct Desktops {
        QList<Desktop> list;
        std::optional<QString> error;
    };
    Desktops readDesktops() const;
    // The desktop shown on the screen, or the error that kept it from being found.
    struct Found {
        std::optional<Desktop> desktop;
        std::optional<QString> error;
    };
    Found desktopOn(const WorkspaceScreen& screen) const;

    PlasmaScripting& scripting_;
};

}  // namespace hushpane
