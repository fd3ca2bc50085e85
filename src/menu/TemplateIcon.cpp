#include "menu/TemplateIcon.h"

#include <QHash>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

namespace hushpane {

namespace {

// Paints the shape in one colour at whatever size is asked for, and only then: a tray asks for
// one size, so one picture is rendered instead of a whole set at start-up.
class TintedIconEngine : public QIconEngine {
public:
    TintedIconEngine(QIcon shape, QColor colour) : shape_(std::move(shape)), colour_(colour) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const quint64 key = (quint64(quint32(size.width())) << 32) | quint32(size.height());
        if (const auto it = cache_.constFind(key); it != cache_.cend()) {
            return *it;
        }
        QPixmap pixmap = shape_.pixmap(size);
        if (!pixmap.isNull()) {
            QPainter painter(&pixmap);
            painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
            painter.fillRect(pixmap.rect(), colour_);
        }
        cache_.insert(key, pixmap);
        return pixmap;
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return shape_.actualSize(size, mode, state);
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return shape_.availableSizes(mode, state);
    }

    QIconEngine* clone() const override { return new TintedIconEngine(shape_, colour_); }
    QString key() const override { return QStringLiteral("hushpane-tinted"); }

private:
    QIcon shape_;
    QColor colour_;
    QHash<quint64, QPixmap> cache_;
};

}  // namespace

QIcon tintedTemplateIcon(const QIcon& shape, const QColor& colour) {
    return QIcon(new TintedIconEngine(shape, colour));
}

QColor templateColour(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128 ? QColor(Qt::white)
                                                             : QColor(0x20, 0x20, 0x20);
}

}  // namespace hushpane
