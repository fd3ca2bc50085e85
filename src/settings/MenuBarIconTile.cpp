#include "settings/MenuBarIconTile.h"

#include "settings/SettingsPalette.h"

#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>

#include <climits>

namespace hushpane::settings {

MenuBarIconTile::MenuBarIconTile(MenuBarIcon icon, QWidget* parent)
    : QRadioButton(parent), icon_(icon) {
    // Exclusive among its siblings, which is also what makes assistive tools call it a radio
    // button.
    setCheckable(true);
    setAutoExclusive(true);
    setFocusPolicy(Qt::ClickFocus);
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

void MenuBarIconTile::keyPressEvent(QKeyEvent* event) {
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    switch (event->key()) {
        case Qt::Key_Left:
            Q_EMIT stepRequested(rightToLeft ? 1 : -1);
            break;
        case Qt::Key_Right:
            Q_EMIT stepRequested(rightToLeft ? -1 : 1);
            break;
        case Qt::Key_Up:
            Q_EMIT stepRequested(-1);
            break;
        case Qt::Key_Down:
            Q_EMIT stepRequested(1);
            break;
        case Qt::Key_Home:
            Q_EMIT stepRequested(INT_MIN);
            break;
        case Qt::Key_End:
            Q_EMIT stepRequested(INT_MAX);
            break;
        default:
            QRadioButton::keyPressEvent(event);
            return;
    }
    event->accept();
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
