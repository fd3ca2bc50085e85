#pragma once

#include "backends/gsettings/GSettingsWorkspace.h"

namespace hushpane {

// MATE's wallpaper: org.mate.background picture-filename (a path) drawn as picture-options.
GSettingsWorkspace::Keys mateWallpaperKeys();

}  // namespace hushpane
