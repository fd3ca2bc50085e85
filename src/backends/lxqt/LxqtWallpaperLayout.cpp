#include "backends/lxqt/LxqtWallpaperLayout.h"

#include "backends/lxqt/LxqtDesktopSwitch.h"

namespace hushpane {

PcmanfmWorkspace::Layout lxqtWallpaperLayout() {
    PcmanfmWorkspace::Layout layout;
    layout.desktopName = QStringLiteral("LXQt");
    layout.file = QString::fromLatin1(LxqtDesktopSwitch::kSettingsFile);
    layout.section = QString::fromLatin1(LxqtDesktopSwitch::kSection);
    layout.pictureKey = QStringLiteral("Wallpaper");
    layout.modeKey = QStringLiteral("WallpaperMode");
    layout.modes = {QStringLiteral("color"),  QStringLiteral("stretch"), QStringLiteral("fit"),
                    QStringLiteral("center"), QStringLiteral("tile"),    QStringLiteral("zoom")};
    layout.zoomMode = QStringLiteral("zoom");
    layout.setsWallpaperLive = false;
    return layout;
}

}  // namespace hushpane
