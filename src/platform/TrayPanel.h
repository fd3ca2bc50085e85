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

    // Whether anything in this session shows tray icons now.
    virtual bool isAvailable() const { return true; }

    // True where the panel draws the icon's menu itself from what the program hands it (a
    // StatusNotifierItem host): it opens that menu on the right button and passes a left
    // click on as the icon's activation. Elsewhere the program draws the menu.
    virtual bool drawsMenu() const { return false; }
};

}  // namespace hushpane
