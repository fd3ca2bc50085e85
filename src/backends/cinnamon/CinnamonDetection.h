#pragma once

namespace hushpane::cinnamon {

// Cinnamon drives the desktop when nemo-desktop owns org.NemoDesktop on the session bus, or
// when the session says X-Cinnamon and nemo's settings schema is installed.
bool isCinnamonDesktopAvailable();

}  // namespace hushpane::cinnamon
