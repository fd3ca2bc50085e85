#include "menu/TemplateIcon.h"

#include <QPainter>
#include <QPixmap>

namespace hushpane {

QIcon tintedTemplateIcon(const QIcon& shape, const QColor& colour) {
    QIcon tinted;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QPixmap pixmap = shape.pixmap(size, size);
        if (pixmap.isNull()) {
            continue;
        }
        QPainter painter(&pixmap);
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(pixmap.rect(), colour);
        painter.end();
        tinted.addPixmap(pixmap);
    }
    return tinted;
}

QColor templateColour(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128 ? QColor(Qt::white)
                                                             : QColor(0x20, 0x20, 0x20);
}

}  // namespace hushpane
