#include "backends/gnome/GnomeWallpaperKeys.h"

namespace hushpane {

GSettingsWorkspace::Keys gnomeWallpaperKeys() {
    GSettingsWorkspace::Keys keys;
    keys.schema = QStringLiteral("org.gnome.desktop.background");
    keys.pictureKey = QStringLiteral("picture-uri");
    keys.pictureIsUri = true;
    // Shown instead of picture-uri while the dark style is on.
    keys.otherPictureKeys = {QStringLiteral("picture-uri-dark")};
    keys.optionsKey = QStringLiteral("picture-options");
    keys.savedKey = QStringLiteral("gnomeUserWallpaper");
    keys.desktopName = QStringLiteral("GNOME");
    return keys;
}

}  // namespace hushpane
