#pragma once

#include <QString>

namespace hushpane {
class XfconfClient;
}

namespace hushpane::xfce {

// True when the colon-separated desktop names (XDG_CURRENT_DESKTOP) include XFCE, in any case.
bool currentDesktopNamesXfce(const QString& currentDesktop);

// XFCE drives the desktop when the session says it is XFCE, or when xfconf answers and
// already has the xfce4-desktop channel (xfdesktop has run here).
bool isXfceDesktopAvailable(const XfconfClient& xfconf, const QString& currentDesktop);

// The same for this process: XDG_CURRENT_DESKTOP, then xfconf on the session bus when it is
// already running there (it is not started just to ask).
bool isXfceDesktopAvailable();

}  // namespace hushpane::xfce
