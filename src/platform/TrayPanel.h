#pragma once

#include <QColor>
#include <QRect>

#include <optional>

namespace hushpane {

// What the panel that shows the tray icon looks like, so the icon can be drawn to be seen on it.
struct TrayPanelLook {
    // The colour the panel asks icons to be drawn in, when it says.
    std::optional<QColor> foreground;
    // The colour the icon sits on, when it can be found.
    std::optional<QColor> background;
};

class TrayPanel {
public:
    virtual ~TrayPanel() = default;

    // The panel around the icon at `iconGeometry` (global coordinates; empty while the icon is
    // not docked yet).
    virtual TrayPanelLook look(const QRect& iconGeometry) const = 0;
};

}  // namespace hushpane
