#include "settings/ToggleSwitch.h"

#include "settings/SettingsPalette.h"

#include <QPainter>
#include <QPainterPath>

namespace hushpane::settings {

namespace {
constexpr int kWidth = 38;
constexpr int kHeight = 22;
constexpr int kKnobInset = 2;
}  // namespace

ToggleSwitch::ToggleSwitch(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ToggleSwitch::sizeHint() const {
    return {kWidth, kHeight};
}

bool ToggleSwitch::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void ToggleSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    const QRectF track(0, 0, kWidth, kHeight);
    const qreal radius = kHeight / 2.0;

    if (!isEnabled()) {
        painter.setOpacity(0.45);
    }
    const QColor background = groupFillColor(pal);
    const QColor trackColor = isChecked() ? accentColor(pal)
                                          : blend(pal.color(QPalette::Active, QPalette::WindowText),
                                                  background, isDown() ? 0.28 : 0.2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(trackColor);
    painter.drawRoundedRect(track, radius, radius);

    const qreal knob = kHeight - 2 * kKnobInset;
    const qreal x = isChecked() ? track.right() - kKnobInset - knob : track.left() + kKnobInset;
    const QRectF knobRect(x, track.top() + kKnobInset, knob, knob);
    painter.setBrush(QColor(0, 0, 0, 40));
    painter.drawEllipse(knobRect.translated(0, 0.6));
    painter.setBrush(Qt::white);
    // Keyboard focus: the knob carries the ring, so the switch keeps its place in the row.
    if (hasFocus()) {
        painter.setPen(QPen(isChecked() ? accentColor(pal).darker(140) : accentColor(pal), 2));
        painter.drawEllipse(knobRect.adjusted(1, 1, -1, -1));
    } else {
        painter.drawEllipse(knobRect);
    }
}

}  // namespace hushpane::settings
