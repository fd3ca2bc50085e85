#include "menu/TemplateIcon.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace hushpane {

namespace {

QPixmap painted(const QPixmap& shape, const QColor& colour) {
    QPixmap out = shape;
    QPainter painter(&out);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(out.rect(), colour);
    return out;
}

// Paints the shape in its colours at whatever size is asked for, and only then: a tray asks for
// one size, so one picture is rendered instead of a whole set at start-up.
class TintedIconEngine : public QIconEngine {
public:
    TintedIconEngine(QIcon shape, TrayIconColours colours)
        : shape_(std::move(shape)), colours_(colours) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(size.height());
        if (const auto it = cache_.constFind(key); it != cache_.cend()) {
            return *it;
        }
        QPixmap pixmap = render(size);
        cache_.insert(key, pixmap);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return shape_.actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return shape_.availableSizes(mode, state);
    }

    QIconEngine* clone() const override { return new TintedIconEngine(shape_, colours_); }
    QString key() const override { return QStringLiteral("hushpane-tinted"); }

private:
    QPixmap render(const QSize& size) const {
        if (!colours_.outline) {
            QPixmap shape = shape_.pixmap(size);
            return shape.isNull() ? shape : painted(shape, colours_.fill);
        }
        // The outline is the shape drawn a pixel off in every direction under the fill, so the
        // shape is drawn a little smaller to keep the outline inside the picture.
        const int border = std::max(1, size.height() / 22);
        const QSize inner = size - QSize(2 * border, 2 * border);
        QPixmap shape = shape_.pixmap(inner);
        QPixmap out(size);
        out.fill(Qt::transparent);
        if (shape.isNull()) {
            return out;
        }
        const QPixmap outline = painted(shape, *colours_.outline);
        QPainter painter(&out);
        static constexpr std::array<QPoint, 8> kAround{QPoint(-1, -1), QPoint(0, -1), QPoint(1, -1),
                                                       QPoint(-1, 0),  QPoint(1, 0),  QPoint(-1, 1),
                                                       QPoint(0, 1),   QPoint(1, 1)};
        for (const QPoint& d : kAround) {
            painter.drawPixmap(QPoint(border, border) + d * border, outline);
        }
        painter.drawPixmap(border, border, painted(shape, colours_.fill));
        return out;
    }

    QIcon shape_;
    TrayIconColours colours_;
    QHash<quint64, QPixmap> cache_;
};

}  // namespace

QIcon tintedTemplateIcon(const QIcon& shape, const TrayIconColours& colours) {
    return QIcon(new TintedIconEngine(shape, colours));
}

}  // namespace hushpane
