#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// MATE: caja's icons and the one wallpaper in GSettings (org.mate.background).
DesktopDriverEntry mateDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
