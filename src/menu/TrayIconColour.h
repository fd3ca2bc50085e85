#pragma once

#include "platform/TrayPanel.h"

#include <QColor>

#include <optional>

namespace hushpane {

// How the tray icon's shape is painted: one fill colour, and an outline when nothing is known
// about what it sits on, so it reads on dark and light panels alike.
struct TrayIconColours {
    QColor fill;
    std::optional<QColor> outline;

    friend bool operator==(const TrayIconColours&, const TrayIconColours&) = default;
};

// The contrast ratio of two colours as WCAG defines it: 1 (none) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);

// The panel's own icon colour when it names one; else light or dark, whichever stands out more
// against the panel's background; else light with a dark outline.
TrayIconColours trayIconColours(const TrayPanelLook& look);

}  // namespace hushpane
