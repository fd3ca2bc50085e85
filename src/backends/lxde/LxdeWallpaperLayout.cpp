#include "backends/lxde/LxdeWallpaperLayout.h"

namespace hushpane {

PcmanfmWorkspace::Layout lxdeWallpaperLayout() {
    PcmanfmWorkspace::Layout layout;
    layout.desktopName = QStringLiteral("LXDE");
    layout.file = QStringLiteral("desktop-items-0.conf");
    layout.section = QStringLiteral("*");
    layout.pictureKey = QStringLiteral("wallpaper");
    layout.modeKey = QStringLiteral("wallpaper_mode");
    layout.modes = {QStringLiteral("color"), QStringLiteral("stretch"), QStringLiteral("fit"),
                    QStringLiteral("crop"),  QStringLiteral("center"),  QStringLiteral("tile"),
                    QStringLiteral("screen")};
    layout.zoomMode = QStringLiteral("crop");
    layout.setsWallpaperLive = true;
    return layout;
}

}  // namespace hushpane
