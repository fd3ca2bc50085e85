#pragma once

#include "platform/TrayPanel.h"

class QDBusConnection;

namespace hushpane {

// The XEmbed tray on X11. Its colour for icons is the tray manager's _NET_SYSTEM_TRAY_COLORS,
// where it sets them; the background is the colour most of the panel window around the icon
// shows on screen. An icon shown through a StatusNotifierItem host has no geometry here, and
// the panel stays unknown.
//
// Which of the two shows the icon is Qt's choice, made once at start: a StatusNotifierItem host
// when one is registered with the session's StatusNotifierWatcher, else the XEmbed tray.
class X11TrayPanel : public TrayPanel {
public:
    // `statusNotifierHost`: the icon goes to a StatusNotifierItem host (see hasHost).
    explicit X11TrayPanel(bool statusNotifierHost = false)
        : statusNotifierHost_(statusNotifierHost) {}

    TrayPanelLook look(const QRect& iconGeometry) const override;
    bool isAvailable() const override;
    bool drawsMenu() const override { return statusNotifierHost_; }

    // Qt's rule: the watcher is on `bus` and says a host is registered with it.
    static bool hasStatusNotifierHost(const QDBusConnection& bus);

private:
    bool statusNotifierHost_;
};

}  // namespace hushpane
