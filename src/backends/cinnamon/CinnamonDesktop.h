#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// Cinnamon: nemo-desktop's icon layout and the one wallpaper in GSettings.
DesktopDriverEntry cinnamonDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
