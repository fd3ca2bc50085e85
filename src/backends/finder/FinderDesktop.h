#pragma once

#include "platform/DesktopDriver.h"

namespace hushpane {

// The Finder's CreateDesktop preference, applied by ending the Finder. Detected on macOS
// only; elsewhere it is used when the user chooses it.
DesktopDriverEntry finderDesktop(const DesktopDriverContext& context);

}  // namespace hushpane
