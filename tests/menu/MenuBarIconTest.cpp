#include "menu/SymbolImage.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hushpane;

TEST(MenuBarIcon, RawValuesMatchExactlyAndTheCatalogueKeepsItsOrder) {
    EXPECT_EQ(MenuBarIcon::fromRawValue(u"lamp"), MenuBarIcon(MenuBarIcon::lamp));
    for (const auto* text : {u"Lamp", u" lamp", u"Desk Lamp", u""}) {
        EXPECT_FALSE(MenuBarIcon::fromRawValue(text));
    }
    const auto& all = MenuBarIcon::allCases();
    ASSERT_EQ(all.size(), 10);
    EXPECT_EQ(all.first(), MenuBarIcon::grid);
    EXPECT_EQ(all.last(), MenuBarIcon::dot);
    QSet<QString> ids;
    for (const MenuBarIcon icon : all) {
        EXPECT_EQ(MenuBarIcon::fromRawValue(icon.rawValue()), icon);
        ids.insert(icon.id());
    }
    EXPECT_EQ(ids.size(), 10);
    EXPECT_EQ(MenuBarIcon(MenuBarIcon::lamp).name(), QStringLiteral("Desk Lamp"));
    EXPECT_EQ(MenuBarIcon(MenuBarIcon::dots).hiddenSymbol(),
              MenuBarIcon(MenuBarIcon::dot).shownSymbol());
    EXPECT_EQ(MenuBarIcon(MenuBarIcon::grid).symbol(true), QStringLiteral("sparkles"));
    EXPECT_EQ(MenuBarIcon(MenuBarIcon::grid).symbol(false), QStringLiteral("rectangle.grid.2x2"));
}

TEST(MenuBarIcon, MissingSymbolsFallBackToTheGridLookForTheSameState) {
    QTemporaryDir symbols;
    const auto makeSymbol = [&](const QString& name) {
        QFile f(symbols.path() + u'/' + name + QStringLiteral(".svg"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"16\" height=\"16\">"
            "<rect width=\"8\" height=\"8\"/></svg>");
    };
    makeSymbol(QStringLiteral("sparkles"));
    makeSymbol(QStringLiteral("moon.fill"));

    const auto moonHidden = menuBarIconImage(MenuBarIcon::moon, true, symbols.path());
    ASSERT_TRUE(moonHidden);
    EXPECT_EQ(moonHidden->symbolName, QStringLiteral("moon.fill"));
    EXPECT_TRUE(moonHidden->isTemplate);
    EXPECT_TRUE(moonHidden->icon.isMask());

    const auto lampHidden = menuBarIconImage(MenuBarIcon::lamp, true, symbols.path());
    ASSERT_TRUE(lampHidden);
    EXPECT_EQ(lampHidden->symbolName, QStringLiteral("sparkles"));
    EXPECT_EQ(lampHidden->accessibilityDescription, QStringLiteral("Desktop hidden"));

    // Shown state: neither the look's nor the grid's shown symbol exists.
    EXPECT_FALSE(menuBarIconImage(MenuBarIcon::lamp, false, symbols.path()));
}
