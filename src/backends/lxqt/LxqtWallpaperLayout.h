#pragma once

#include "backends/pcmanfm/PcmanfmWorkspace.h"

namespace hushpane {

// LXQt's wallpaper: [Desktop] Wallpaper and WallpaperMode in pcmanfm-qt's settings.conf,
// read when its desktop starts. (Its --set-wallpaper, handed to the running desktop, left
// the screen black and the file unchanged when tried.)
PcmanfmWorkspace::Layout lxqtWallpaperLayout();

}  // namespace hushpane
