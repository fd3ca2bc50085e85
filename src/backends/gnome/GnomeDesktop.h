#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// GNOME: the Shell's desktop icons extension and the one wallpaper in GSettings.
DesktopDriverEntry gnomeDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
