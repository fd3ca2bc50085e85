#include "app/MainMenu.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace hushpane;

namespace {

QStringList describe(const QMenu* menu) {
    QStringList out;
    for (const QAction* a : menu->actions()) {
        out.append(a->isSeparator()
                       ? QStringLiteral("-")
                       : a->text() + u'|' + a->shortcut().toString(QKeySequence::PortableText));
    }
    return out;
}

}  // namespace

TEST(MainMenu, HasTheFourMenusWithTheirItemsAndKeys) {
    const MainMenu main = makeMainMenu();
    std::unique_ptr<QMenu> bar(main.menu);

    const auto menus = bar->actions();
    ASSERT_EQ(menus.size(), 4);
    EXPECT_EQ(
        describe(menus[0]->menu()),
        (QStringList{QStringLiteral("About Hushpane|"), QStringLiteral("-"),
                     QStringLiteral("Settings…|Ctrl+,"), QStringLiteral("Check for Updates…|"),
                     QStringLiteral("-"), QStringLiteral("Hide Hushpane|Ctrl+H"),
                     QStringLiteral("-"), QStringLiteral("Quit Hushpane|Ctrl+Q")}));
    // The items the application connects are the ones shown under their names.
    const auto app = menus[0]->menu()->actions();
    ASSERT_EQ(app.size(), 8);
    EXPECT_EQ(main.about, app[0]);
    EXPECT_EQ(main.settings, app[2]);
    EXPECT_EQ(main.checkForUpdates, app[3]);
    EXPECT_EQ(main.quit, app[7]);
    EXPECT_EQ(menus[1]->text(), QStringLiteral("Desktop"));
    EXPECT_EQ(describe(menus[1]->menu()), QStringList{QStringLiteral("Toggle Desktop Icons|")});
    EXPECT_EQ(main.toggleDesktop, menus[1]->menu()->actions().first());
    EXPECT_EQ(describe(menus[2]->menu()),
              (QStringList{QStringLiteral("Undo|Ctrl+Z"), QStringLiteral("Redo|Ctrl+Shift+Z"),
                           QStringLiteral("-"), QStringLiteral("Cut|Ctrl+X"),
                           QStringLiteral("Copy|Ctrl+C"), QStringLiteral("Paste|Ctrl+V"),
                           QStringLiteral("Select All|Ctrl+A")}));
    EXPECT_EQ(describe(menus[3]->menu()),
              (QStringList{QStringLiteral("Close|Ctrl+W"), QStringLiteral("Minimize|Ctrl+M")}));
}

TEST(MainMenu, EditCommandsGoToTheFocusedField) {
    std::unique_ptr<QMenu> bar(makeMainMenu().menu);
    QWidget window;
    auto* field = new QLineEdit(&window);
    window.show();
    field->setFocus();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setText(QStringLiteral("calm"));
    QMenu* edit = bar->actions()[2]->menu();
    edit->actions()[6]->trigger();  // Select All
    EXPECT_EQ(field->selectedText(), QStringLiteral("calm"));
    edit->actions()[3]->trigger();  // Cut
    EXPECT_TRUE(field->text().isEmpty());
    edit->actions()[0]->trigger();  // Undo
    EXPECT_EQ(field->text(), QStringLiteral("calm"));
}
