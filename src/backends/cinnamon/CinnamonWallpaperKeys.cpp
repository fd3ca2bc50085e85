#include "backends/cinnamon/CinnamonWallpaperKeys.h"

namespace hushpane {

GSettingsWorkspace::Keys cinnamonWallpaperKeys() {
    GSettingsWorkspace::Keys keys;
    keys.schema = QStringLiteral("org.cinnamon.desktop.background");
    keys.pictureKey = QStringLiteral("picture-uri");
    keys.pictureIsUri = true;
    keys.optionsKey = QStringLiteral("picture-options");
    keys.savedKey = QStringLiteral("cinnamonUserWallpaper");
    keys.desktopName = QStringLiteral("Cinnamon");
    return keys;
}

}  // namespace hushpane
