#pragma once

#include "app/DesktopDriverSelector.h"

namespace hushpane {

// Every desktop Hushpane can drive, in the order detection tries them: one line each. The
// context must outlive the drivers made from the entries.
QList<DesktopDriverEntry> desktopDrivers(const DesktopDriverContext& context);

// The driver for this session: the stored choice "desktopDriver", else what detection finds,
// else the unsupported desktop, whose hide fails with what was found.
DesktopDriver makeDesktopDriver(const DesktopDriverContext& context, const QString& storedChoice,
                                const DesktopEnvironment& environment);

}  // namespace hushpane
