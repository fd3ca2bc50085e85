#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// KDE Plasma, on X11 and Wayland alike: plasmashell's scripting on the session bus.
DesktopDriverEntry plasmaDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
