#include "backends/mate/MateWallpaperKeys.h"

namespace hushpane {

GSettingsWorkspace::Keys mateWallpaperKeys() {
    GSettingsWorkspace::Keys keys;
    keys.schema = QStringLiteral("org.mate.background");
    keys.pictureKey = QStringLiteral("picture-filename");
    keys.pictureIsUri = false;
    keys.optionsKey = QStringLiteral("picture-options");
    keys.savedKey = QStringLiteral("mateUserWallpaper");
    keys.desktopName = QStringLiteral("MATE");
    return keys;
}

}  // namespace hushpane
