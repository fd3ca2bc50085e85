#pragma once

#include <QColor>
#include <QIcon>
#include <QPalette>

namespace hushpane {

// Template images are drawn in the colour of what they sit on. The tray has no such notion,
// so the shape is painted in one colour, at the size the panel asks for.
QIcon tintedTemplateIcon(const QIcon& shape, const QColor& colour);

// Light icons for dark panels, dark icons for light ones, judged from the palette's window
// colour.
QColor templateColour(const QPalette& palette);

}  // namespace hushpane
