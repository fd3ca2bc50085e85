#include "services/MenuBarIcon.h"

#include <QCoreApplication>

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
    {"grid", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Grid"), "rectangle.grid.2x2", "sparkles"},
    {"lamp", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Desk Lamp"), "lamp.desk",
     "lamp.desk.fill"},
    {"desktop", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Desktop"), "menubar.dock.rectangle",
     "menubar.rectangle"},
    {"eye", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Eye"), "eye", "eye.slash"},
    {"squares", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Squares"), "square.grid.3x3", "square"},
    {"dots", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Dots"), "circle.grid.2x2", "circle"},
    {"wand", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Wand"), "wand.and.stars.inverse",
     "wand.and.stars"},
    {"star", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Star"), "star", "star.fill"},
    {"moon", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Moon"), "moon", "moon.fill"},
    {"dot", QT_TRANSLATE_NOOP("hushpane::MenuBarIcon", "Dot"), "circle", "circle.fill"},
}};

const Look& look(MenuBarIcon::Case c) {
    return kLooks[static_cast<size_t>(c)];
}

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
    return QCoreApplication::translate("hushpane::MenuBarIcon", look(case_).name);
}
QString MenuBarIcon::shownSymbol() const {
    return QString::fromLatin1(look(case_).shown);
}
QString MenuBarIcon::hiddenSymbol() const {
    return QString::fromLatin1(look(case_).hidden);
}

}  // namespace hushpane
