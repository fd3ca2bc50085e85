#pragma once

#include "platform/TrayPanel.h"

namespace hushpane {

// The XEmbed tray on X11. Its colour for icons is the tray manager's _NET_SYSTEM_TRAY_COLORS,
// where it sets them; the background is the colour most of the panel window around the icon
// shows on screen. An icon shown through a StatusNotifierItem host has no geometry here, and
// the panel stays unknown.
class X11TrayPanel : public TrayPanel {
public:
    TrayPanelLook look(const QRect& iconGeometry) const override;
};

}  // namespace hushpane
