#pragma once

#include "backends/xfce/XfconfClient.h"
#include "platform/Workspace.h"

#include <functional>

class QScreen;

namespace hushpane {

// xfdesktop's per-monitor wallpaper. The picture of a monitor on workspace N is
// xfce4-desktop /backdrop/screen0/monitor<connector>/workspace<N>/last-image, drawn with that
// workspace's image-style; N is the current workspace, or the single-workspace number while
// /backdrop/single-workspace-mode is on (xfdesktop's default). A picture is set on every
// workspace of the monitor, and a wallpaper state has one part per workspace ("workspace<N>"),
// so each workspace gets its own picture back; a property that was unset is unset again.
//
// Screens come from Qt; their id is the RandR connector name (QScreen::name()).
class XfceWorkspace : public Workspace {
    Q_OBJECT
public:
    // The number of the workspace being shown; nothing when it cannot be told.
    using CurrentWorkspace = std::function<std::optional<int>()>;

    // Carries xfdesktop's own image-style in the options, so a style without an equivalent
    // scaling option (tiled, spanning) survives a get and set unchanged.
    static constexpr auto kImageStyleKey = "XfceImageStyle";
    static constexpr int kZoomedImageStyle = 5;

    // `currentWorkspace` defaults to the window manager's _NET_CURRENT_DESKTOP on X11.
    // `workspaceCount` defaults to the window manager's _NET_NUMBER_OF_DESKTOPS.
    explicit XfceWorkspace(XfconfClient xfconf, CurrentWorkspace currentWorkspace = {},
                           CurrentWorkspace workspaceCount = {}, QObject* parent = nullptr);

    QList<WorkspaceScreen> screens() const override;
    std::optional<QUrl> desktopImageUrl(const WorkspaceScreen& screen) const override;
    std::optional<QVariantMap> desktopImageOptions(const WorkspaceScreen& screen) const override;
    std::optional<QString> setDesktopImageUrl(const QUrl& url, const WorkspaceScreen& screen,
                                              const QVariantMap& options) override;
    std::optional<QVariantMap> wallpaperState(const WorkspaceScreen& screen) const override;
    std::optional<QString> restoreWallpaperState(const WorkspaceScreen& screen,
                                                 const QVariantMap& state) override;

    // The display number of a connector: the same number for the same connector name on every
    // run and every machine, without storing anything. It is the 32-bit FNV-1a hash of the
    // name's UTF-8 bytes, with 0 (which means "no number") moved to 1. Connector names are few
    // and short, so two of them sharing a number is not a practical concern.
    static quint32 displayNumberForConnector(const QString& connector);

    // xfdesktop's image-style for wallpaper options, and back.
    static int imageStyleForOptions(const QVariantMap& options);
    static QVariantMap optionsForImageStyle(int imageStyle);

private:
    // "/backdrop/screen0/monitor<connector>/workspace<N>/", or the error that prevented
    // finding N.
    struct Prefix {
        QString path;
        std::optional<QString> error;
    };
    Prefix backdropPrefix(const WorkspaceScreen& screen) const;
    struct Shown {
        int number = 0;
        bool singleMode = true;
        std::optional<QString> error;
    };
    Shown shownWorkspace() const;
    // "/backdrop/screen0/monitor<connector>/"
    static QString monitorPrefix(const WorkspaceScreen& screen);
    // The workspaces whose picture the monitor shows: in single-workspace mode the one, else
    // every workspace the window manager has or xfconf knows for the monitor.
    struct Workspaces {
        QList<int> numbers;
        std::optional<QString> error;
    };
    Workspaces workspacesOf(const WorkspaceScreen& screen) const;
    // Beyond any real desktop: a bogus count is not followed further.
    static constexpr int kMaxWorkspaces = 64;
    void watchScreen(QScreen* screen);

    XfconfClient xfconf_;
    CurrentWorkspace currentWorkspace_;
    CurrentWorkspace workspaceCount_;
};

}  // namespace hushpane
