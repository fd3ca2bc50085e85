#pragma once

#include "backends/pcmanfm/PcmanfmWorkspace.h"

namespace hushpane {

// LXDE's wallpaper: wallpaper and wallpaper_mode under [*] of desktop-items-0.conf, set live
// with pcmanfm --set-wallpaper / --wallpaper-mode (which also writes them there).
PcmanfmWorkspace::Layout lxdeWallpaperLayout();

}  // namespace hushpane
