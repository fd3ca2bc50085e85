#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryUpdateService.h"
#include "fakes/InMemoryWorkspace.h"
#include "menu/StatusItemController.h"
#include "services/AppUpdater.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

class StatusItemTest : public ::testing::Test {
protected:
    QStringList titles() const {
        QStringList out;
        for (QAction* a : status.menu()->actions()) {
            out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return out;
    }

    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    test::InMemoryWorkspace workspace;
    test::InMemoryDesktopSwitch desktopSwitch;
    DesktopController desktop{desktopSwitch, prefs, workspace};
    test::InMemoryUpdateService updateService;
    int activations = 0;
    AppUpdater updater{updateService, [this] { ++activations; }};
    int settingsShown = 0;
    int quits = 0;
    QAction* bound = nullptr;
    StatusItemController status{desktop,
                                prefs,
                                updater,
                                [this] { ++settingsShown; },
                                [this] { ++quits; },
                                [this](QAction* a) { bound = a; }};
};

}  // namespace

TEST_F(StatusItemTest, MenuHasTheItemsInOrderWithTheirKeys) {
    EXPECT_EQ(titles(),
              (QStringList{QStringLiteral("Hide Desktop Icons"), QStringLiteral("-"),
                           QStringLiteral("Settings…"), QStringLiteral("Check for Updates…"),
                           QStringLiteral("-"), QStringLiteral("Quit Hushpane")}));
    const auto actions = status.menu()->actions();
    EXPECT_EQ(bound, status.toggleItem());
    EXPECT_EQ(actions[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_TRUE(actions[3]->shortcut().isEmpty());
    EXPECT_EQ(actions[5]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(status.statusItem()->toolTip(), QStringLiteral("Hushpane"));
    EXPECT_EQ(status.statusItem()->contextMenu(), status.menu());

    actions[2]->trigger();
    EXPECT_EQ(settingsShown, 1);
    actions[3]->trigger();  // never disabled; brings the application forward first
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(updateService.checks, 1);
    actions[5]->trigger();
    EXPECT_EQ(quits, 1);
}

TEST_F(StatusItemTest, TitleAndIconFollowEachRealChangeOnceInALaterTurn) {
    ASSERT_TRUE(status.currentImage());
    EXPECT_EQ(status.currentImage()->symbolName, QStringLiteral("rectangle.grid.2x2"));
    EXPECT_FALSE(status.statusItem()->icon().isNull());
    QSignalSpy redrawn(&status, &StatusItemController::redrawn);

    status.toggleItem()->trigger();
    EXPECT_EQ(desktopSwitch.calls, QList<bool>{false});
    EXPECT_EQ(redrawn.count(), 0);  // not inside the change itself
    desktop.hide();                 // a second hide is no change
    QCoreApplication::processEvents();
    EXPECT_EQ(redrawn.count(), 1);
    EXPECT_EQ(status.toggleItem()->text(), QStringLiteral("Show Desktop Icons"));
    EXPECT_EQ(status.currentImage()->symbolName, QStringLiteral("sparkles"));
    EXPECT_EQ(status.currentImage()->accessibilityDescription, QStringLiteral("Desktop hidden"));

    prefs.setMenuBarIcon(MenuBarIcon::moon);
    prefs.setMenuBarIcon(MenuBarIcon::moon);
    QCoreApplication::processEvents();
    EXPECT_EQ(redrawn.count(), 2);
    EXPECT_EQ(status.currentImage()->symbolName, QStringLiteral("moon.fill"));

    status.toggleItem()->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(status.toggleItem()->text(), QStringLiteral("Hide Desktop Icons"));
    EXPECT_EQ(status.currentImage()->symbolName, QStringLiteral("moon"));

    // Opening the menu redraws at once.
    Q_EMIT status.menu()->aboutToShow();
    EXPECT_EQ(redrawn.count(), 4);
}

TEST_F(StatusItemTest, EveryLookHasBothPicturesInTheSymbolSet) {
    for (const MenuBarIcon look : MenuBarIcon::allCases()) {
        for (const bool hidden : {false, true}) {
            const auto image = menuBarIconImage(look, hidden);
            ASSERT_TRUE(image) << look.rawValue().toStdString();
            EXPECT_EQ(image->symbolName, look.symbol(hidden));
            EXPECT_FALSE(image->icon.pixmap(22, 22).isNull());
        }
    }
}
