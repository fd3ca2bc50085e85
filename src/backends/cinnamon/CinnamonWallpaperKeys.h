#pragma once

#include "backends/gsettings/GSettingsWorkspace.h"

namespace hushpane {

// Cinnamon's wallpaper: org.cinnamon.desktop.background picture-uri drawn as picture-options.
GSettingsWorkspace::Keys cinnamonWallpaperKeys();

}  // namespace hushpane
