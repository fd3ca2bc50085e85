#include "settings/FormGroup.h"

#include "settings/SettingsPalette.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace hushpane::settings {

namespace {
constexpr int kRowInset = 12;  // the hairlines start where the rows' text does
}

FormGroup::FormGroup(QWidget* parent) : QWidget(parent), layout_(new QVBoxLayout(this)) {
    layout_->setContentsMargins(0, 0, 0, 0);
    layout_->setSpacing(0);
}

void FormGroup::addRow(QWidget* row) {
    row->setParent(this);
    layout_->addWidget(row);
    rows_.append(row);
}

QList<QWidget*> FormGroup::visibleRows() const {
    QList<QWidget*> shown;
    for (QWidget* row : rows_) {
        if (!row->isHidden()) {
            shown.append(row);
        }
    }
    return shown;
}

void FormGroup::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPalette& pal = palette();
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                         kCornerRadius);
    painter.fillPath(shape, groupFillColor(pal));
    painter.strokePath(shape, QPen(separatorColor(pal), 1.0));

    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(separatorColor(pal), 1.0));
    const QList<QWidget*> shown = visibleRows();
    for (qsizetype i = 1; i < shown.size(); ++i) {
        const int y = shown[i]->geometry().top();
        painter.drawLine(kRowInset, y, width() - kRowInset, y);
    }
}

}  // namespace hushpane::settings
