#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// LXQt: pcmanfm-qt's hidden items and the one wallpaper, in its settings.conf.
DesktopDriverEntry lxqtDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
