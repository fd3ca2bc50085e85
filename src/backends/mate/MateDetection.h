#pragma once

namespace hushpane::mate {

// MATE drives the desktop when caja owns org.mate.Caja on the session bus (it draws the
// icons), or when the session says MATE and its settings schema is installed.
bool isMateDesktopAvailable();

}  // namespace hushpane::mate
