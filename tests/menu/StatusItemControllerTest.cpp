#include "StatusItemFixture.h"
#include "fakes/InMemoryHideTrigger.h"
#include "menu/TemplateIcon.h"
#include "menu/TrayIconColour.h"
#include "services/AutoHideController.h"

#include <QCoreApplication>
#include <QImage>
#include <QMenu>
#include <QSignalSpy>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

class StatusItemTest : public test::StatusItemFixture {
protected:
    void SetUp() override { makeStatusItem(); }

    QStringList titles() const {
        QStringList out;
        for (QAction* a : status->menu()->actions()) {
            out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return out;
    }
};

}  // namespace

TEST_F(StatusItemTest, MenuHasTheItemsInOrderWithTheirKeys) {
    EXPECT_EQ(titles(),
              (QStringList{QStringLiteral("Hide Desktop Icons"), QStringLiteral("-"),
                           QStringLiteral("Settings…"), QStringLiteral("Check for Updates…"),
                           QStringLiteral("-"), QStringLiteral("Quit Hushpane")}));
    const auto actions = status->menu()->actions();
    EXPECT_EQ(actions[0], status->toggleItem());
    EXPECT_EQ(actions[2]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_TRUE(actions[3]->shortcut().isEmpty());
    EXPECT_EQ(actions[5]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(status->statusItem()->toolTip(), QStringLiteral("Hushpane: Desktop shown"));
    EXPECT_EQ(status->statusItem()->contextMenu(), status->menu());

    actions[2]->trigger();
    EXPECT_EQ(settingsShown, 1);
    actions[3]->trigger();  // never disabled; brings the application forward first
    EXPECT_EQ(activations, 1);
    EXPECT_EQ(updateService.checks, 1);
    actions[5]->trigger();
    EXPECT_EQ(quits, 1);
}

TEST_F(StatusItemTest, TitleAndIconFollowEachRealChangeOnceInALaterTurn) {
    ASSERT_TRUE(status->currentImage());
    EXPECT_EQ(status->currentImage()->symbolName, QStringLiteral("rectangle.grid.2x2"));
    EXPECT_FALSE(status->statusItem()->icon().isNull());
    QSignalSpy redrawn(status.get(), &StatusItemController::redrawn);

    status->toggleItem()->trigger();
    EXPECT_EQ(desktopSwitch.calls, QList<bool>{false});
    EXPECT_EQ(redrawn.count(), 0);  // not inside the change itself
    desktop.hide();                 // a second hide is no change
    QCoreApplication::processEvents();
    EXPECT_EQ(redrawn.count(), 1);
    EXPECT_EQ(status->toggleItem()->text(), QStringLiteral("Show Desktop Icons"));
    EXPECT_EQ(status->currentImage()->symbolName, QStringLiteral("sparkles"));
    EXPECT_EQ(status->currentImage()->accessibilityDescription, QStringLiteral("Desktop hidden"));

    prefs.setMenuBarIcon(MenuBarIcon::moon);
    prefs.setMenuBarIcon(MenuBarIcon::moon);
    QCoreApplication::processEvents();
    EXPECT_EQ(redrawn.count(), 2);
    EXPECT_EQ(status->currentImage()->symbolName, QStringLiteral("moon.fill"));

    status->toggleItem()->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(status->toggleItem()->text(), QStringLiteral("Hide Desktop Icons"));
    EXPECT_EQ(status->currentImage()->symbolName, QStringLiteral("moon"));

    // Opening the menu redraws at once.
    Q_EMIT status->menu()->aboutToShow();
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

TEST(TrayIconColours, ThePanelsOwnColourOrTheOneThatStandsOutFromIt) {
    EXPECT_NEAR(contrastRatio(Qt::black, Qt::white), 21.0, 0.01);
    EXPECT_NEAR(contrastRatio(QColor(0x35, 0x35, 0x35), QColor(0x35, 0x35, 0x35)), 1.0, 0.01);

    const QColor dark(0x35, 0x35, 0x35);
    const QColor light(0xee, 0xee, 0xec);
    for (const QColor& background : {dark, light, QColor(0x3d, 0x6e, 0xb4)}) {
        const TrayIconColours colours = trayIconColours({std::nullopt, background});
        EXPECT_GE(contrastRatio(colours.fill, background), 3.0) << background.name().toStdString();
        EXPECT_FALSE(colours.outline);
    }
    // The panel's own icon colour, unless it would vanish on the panel.
    const QColor red(0xff, 0x40, 0x40);
    EXPECT_EQ(trayIconColours({red, dark}).fill, red);
    EXPECT_EQ(trayIconColours({red, std::nullopt}).fill, red);
    EXPECT_NE(trayIconColours({QColor(0x30, 0x30, 0x30), dark}).fill, QColor(0x30, 0x30, 0x30));

    // Nothing known: light with a dark outline, readable on both.
    const TrayIconColours unknown = trayIconColours({});
    ASSERT_TRUE(unknown.outline);
    EXPECT_GE(contrastRatio(unknown.fill, dark), 3.0);
    EXPECT_GE(contrastRatio(*unknown.outline, light), 3.0);
}

TEST(TrayIconColours, AnOutlinedIconIsPaintedInBothColours) {
    const auto image = menuBarIconImage(MenuBarIcon::grid, false);
    ASSERT_TRUE(image);
    const TrayIconColours colours{QColor(Qt::white), QColor(Qt::black)};
    const QIcon icon = tintedTemplateIcon(image->icon, colours);
    const QImage picture = icon.pixmap(QSize(22, 22)).toImage();
    int white = 0;
    int black = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const QColor c = picture.pixelColor(x, y);
            if (c.alpha() == 255 && c.lightness() > 240) {
                ++white;
            } else if (c.alpha() == 255 && c.lightness() < 15) {
                ++black;
            }
        }
    }
    EXPECT_GT(white, 10);
    EXPECT_GT(black, 10);
}

// The tool tip says what the icon shows, and why the icons went when nobody asked.
TEST_F(StatusItemTest, TheToolTipSaysTheStateAndWhyTheIconsHidThemselves) {
    test::InMemoryHideTrigger sharing;
    AutoHideController autoHide(desktop, prefs);
    autoHide.setTrigger(AutoHideController::Trigger::screenShared, &sharing);
    prefs.setHideWhileScreenShared(true);
    autoHide.start();
    status->setAutoHide(autoHide);
    QCoreApplication::processEvents();
    EXPECT_EQ(status->statusItem()->toolTip(), QStringLiteral("Hushpane: Desktop shown"));

    sharing.setActive(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(status->statusItem()->toolTip(),
              QStringLiteral("Hushpane: Hidden while the screen is shared"));

    status->toggleItem()->trigger();
    status->toggleItem()->trigger();
    desktop.finishPendingChange();
    QCoreApplication::processEvents();
    EXPECT_EQ(status->statusItem()->toolTip(), QStringLiteral("Hushpane: Desktop hidden"));
}
