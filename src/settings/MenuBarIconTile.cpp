#include "settings/MenuBarIconTile.h"

#include "settings/SettingsPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace hushpane::settings {

MenuBarIconTile::MenuBarIconTile(MenuBarIcon icon, QWidget* parent)
    : QAbstractButton(parent), icon_(icon) {
    setCheckable(true);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setToolTip(icon.name());
    setAccessibleName(icon.name());
    setObjectName(QStringLiteral("tile-") + icon.rawValue());
}

void MenuBarIconTile::setSelected(bool selected) {
    setChecked(selected);
    update();
}

void MenuBarIconTile::setDesktopHidden(bool hidden) {
    if (hidden != desktopHidden_) {
        desktopHidden_ = hidden;
        update();
    }
}

QSize MenuBarIconTile::sizeHint() const {
    return {36, kHeight};
}

QSize MenuBarIconTile::minimumSizeHint() const {
    return {kMinimumWidth, kHeight};
}

bool MenuBarIconTile::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void MenuBarIconTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QColor background = groupFillColor(pal);
    const QColor label = pal.color(QPalette::Active, QPalette::WindowText);
    const QColor accent = accentColor(pal);
    const bool selected = isChecked();

    // The border is stroked inside the edge, so the shape is inset by half its width.
    const qreal inset = kSelectedBorderWidth / 2;
    const QRectF shape = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    QPainterPath path;
    path.addRoundedRect(shape, kCornerRadius - inset, kCornerRadius - inset);

    QColor fill = selected ? accent : label;
    fill.setAlphaF(selected ? 0.16 : (isDown() ? 0.12 : 0.06));
    painter.fillPath(path, fill);
    if (selected) {
        painter.strokePath(path, QPen(accent, kSelectedBorderWidth));
    } else if (hasFocus()) {
        QColor ring = accent;
        ring.setAlphaF(0.5);
        painter.strokePath(path, QPen(ring, 1.0));
    }

    // 15-point symbols: about the text's cap height plus its descent, like a symbol glyph.
    QFont font = this->font();
    font.setPointSizeF(15);
    const int size = QFontMetrics(font).ascent();
    QColor symbolColor = selected ? accent : label;
    if (!isEnabled()) {
        symbolColor = blend(symbolColor, background, 0.4);
    }
    const QPixmap symbol = symbolPixmap(symbolName(), size, symbolColor, devicePixelRatioF());
    if (!symbol.isNull()) {
        const QPointF topLeft(shape.center().x() - size / 2.0, shape.center().y() - size / 2.0);
        painter.drawPixmap(topLeft, symbol);
    }
}

}  // namespace hushpane::settings
