#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QString>

class QWidget;

namespace hushpane::settings {

// The colours and type of the settings form, worked out from the widget's own palette so the
// form follows the desktop's light or dark scheme.

// Captions and subtitles: the text colour pulled toward the background.
QColor secondaryTextColor(const QPalette& palette, QPalette::ColorGroup group = QPalette::Active);
QColor accentColor(const QPalette& palette);
// The warning line's orange, dark enough to read on a light group and bright on a dark one.
QColor warningColor(const QPalette& palette);
// `color` at `opacity` over the group's background.
QColor blend(const QColor& color, const QColor& background, qreal opacity);
// The rounded groups' fill and border.
QColor groupFillColor(const QPalette& palette);
QColor separatorColor(const QPalette& palette);

// The smaller text of captions and subtitles.
QFont calloutFont(const QFont& base);

// Gives `label` the caption look (callout size, secondary colour in every state).
void makeCaption(QWidget* label);

// The symbol `name` from the application's symbol set, `size` logical pixels square, painted
// in `color` (the symbols are single-colour templates). Null when there is no such symbol.
QPixmap symbolPixmap(const QString& name, int size, const QColor& color, qreal devicePixelRatio);

}  // namespace hushpane::settings
