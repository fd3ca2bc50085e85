#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// LXDE: pcmanfm's desktop items and the one wallpaper, in its desktop-items-<n>.conf.
DesktopDriverEntry lxdeDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
