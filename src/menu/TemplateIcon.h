#pragma once

#include "menu/TrayIconColour.h"

#include <QIcon>

namespace hushpane {

// Template images are drawn in the colour of what they sit on. The tray has no such notion,
// so the shape is painted in the given colours, at the size the panel asks for.
//
// The pictures go to the panel as they are, never by an icon-theme name: panels recolour only
// symbolic icons made of filled shapes, and these symbols are drawn with strokes.
QIcon tintedTemplateIcon(const QIcon& shape, const TrayIconColours& colours);

}  // namespace hushpane
