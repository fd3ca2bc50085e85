#include "menu/SymbolImage.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace hushpane {

namespace {

// Draws a symbol straight from its SVG at the size asked for. Qt's own SVG icon engine would
// do the same, but it is a plugin that has to be found and loaded first, which start-up
// notices.
class SvgSymbolEngine : public QIconEngine {
public:
    explicit SvgSymbolEngine(QString path) : path_(std::move(path)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        QSvgRenderer(path_).render(painter, rect);
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        QSvgRenderer(path_).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
        return pixmap;
    }

    QIconEngine* clone() const override { return new SvgSymbolEngine(path_); }
    QString key() const override { return QStringLiteral("hushpane-symbol"); }

private:
    QString path_;
};

}  // namespace

std::optional<SymbolImage> menuBarIconImage(MenuBarIcon look, bool hidden,
                                            const QString& symbolRoot) {
    const QString description =
        hidden ? QCoreApplication::translate("hushpane::SymbolImage", "Desktop hidden")
               : QCoreApplication::translate("hushpane::SymbolImage", "Desktop shown");
    QString symbolName = look.symbol(hidden);
    std::optional<QIcon> icon = systemSymbolImage(symbolName, symbolRoot);
    if (!icon) {
        symbolName = MenuBarIcon(MenuBarIcon::grid).symbol(hidden);
        icon = systemSymbolImage(symbolName, symbolRoot);
    }
    if (!icon) {
        return std::nullopt;
    }
    // A mask icon is Qt's template image: styles and the tray recolour it for the panel.
    icon->setIsMask(true);
    return SymbolImage{*icon, symbolName, description, true};
}

std::optional<QIcon> systemSymbolImage(const QString& name, const QString& symbolRoot) {
    const QString path = symbolRoot + u'/' + name + QStringLiteral(".svg");
    if (!QFileInfo::exists(path)) {
        return std::nullopt;
    }
    return QIcon(new SvgSymbolEngine(path));
}

}  // namespace hushpane
