#include "menu/MenuBarIcon.h"

#include <QFileInfo>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

#include <array>

namespace hushpane {

namespace {

struct Look {
    const char* rawValue;
    const char* name;
    const char* shown;
    const char* hidden;
};

// In declaration order, which is also the order the picker shows.
constexpr std::array<Look, 10> kLooks{{
    {"grid", "Grid", "rectangle.grid.2x2", "sparkles"},
    {"lamp", "Desk Lamp", "lamp.desk", "lamp.desk.fill"},
    {"desktop", "Desktop", "menubar.dock.rectangle", "menubar.rectangle"},
    {"eye", "Eye", "eye", "eye.slash"},
    {"squares", "Squares", "square.grid.3x3", "square"},
    {"dots", "Dots", "circle.grid.2x2", "circle"},
    {"wand", "Wand", "wand.and.stars.inverse", "wand.and.stars"},
    {"star", "Star", "star", "star.fill"},
    {"moon", "Moon", "moon", "moon.fill"},
    {"dot", "Dot", "circle", "circle.fill"},
}};

const Look& look(MenuBarIcon::Case c) {
    return kLooks[static_cast<size_t>(c)];
}

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

std::optional<MenuBarIcon> MenuBarIcon::fromRawValue(QStringView rawValue) {
    for (size_t i = 0; i < kLooks.size(); ++i) {
        if (rawValue == QLatin1StringView(kLooks[i].rawValue)) {
            return MenuBarIcon(static_cast<Case>(i));
        }
    }
    return std::nullopt;
}

const QList<MenuBarIcon>& MenuBarIcon::allCases() {
    static const QList<MenuBarIcon> all{grid, lamp, desktop, eye,  squares,
                                        dots, wand, star,    moon, dot};
    return all;
}

QString MenuBarIcon::rawValue() const {
    return QString::fromLatin1(look(case_).rawValue);
}
QString MenuBarIcon::name() const {
    return QString::fromLatin1(look(case_).name);
}
QString MenuBarIcon::shownSymbol() const {
    return QString::fromLatin1(look(case_).shown);
}
QString MenuBarIcon::hiddenSymbol() const {
    return QString::fromLatin1(look(case_).hidden);
}

std::optional<SymbolImage> MenuBarIcon::image(bool hidden, const QString& symbolRoot) const {
    const QString description =
        hidden ? QStringLiteral("Desktop hidden") : QStringLiteral("Desktop shown");
    QString symbolName = symbol(hidden);
    std::optional<QIcon> icon = systemSymbolImage(symbolName, symbolRoot);
    if (!icon) {
        symbolName = MenuBarIcon(grid).symbol(hidden);
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
