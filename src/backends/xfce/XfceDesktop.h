#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// XFCE: xfdesktop's icons, its per-monitor wallpapers and its keyboard shortcuts, all in
// xfconf on the session bus.
DesktopDriverEntry xfceDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
