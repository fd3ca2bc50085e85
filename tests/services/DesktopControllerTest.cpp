#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopNotifications.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/DesktopController.h"
#include "services/FailureNotice.h"
#include "services/Preferences.h"
#include "support/LogCapture.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

class DesktopControllerTest : public ::testing::Test {
protected:
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    test::InMemoryWorkspace workspace;
    test::InMemoryDesktopSwitch desktop;
};

const QString kRestartFailure =
    QStringLiteral("Couldn't restart Finder: No such file or directory");

}  // namespace

TEST_F(DesktopControllerTest, AdoptsTheDesktopsStateWithoutWriting) {
    desktop.creates = false;
    EXPECT_TRUE(DesktopController(desktop, prefs, workspace).isDesktopHidden());
    desktop.creates = true;
    EXPECT_FALSE(DesktopController(desktop, prefs, workspace).isDesktopHidden());
    EXPECT_TRUE(desktop.calls.isEmpty());
}

// A desktop that answers later (it starts a program): nothing waits for it, the state changes
// with its answer, and what is asked meanwhile follows as one change; quitting waits for it.
TEST_F(DesktopControllerTest, ADesktopThatAnswersLaterIsFollowedByWhatWasAskedMeanwhile) {
    desktop.defers = true;
    DesktopController controller(desktop, prefs, workspace);
    controller.hide();
    EXPECT_FALSE(controller.isDesktopHidden());
    EXPECT_TRUE(controller.wantsDesktopHidden());
    controller.show();
    controller.hide();
    controller.show();
    EXPECT_EQ(desktop.calls, QList<bool>{false});
    desktop.changeOutside(false);  // adopted only once the change is done
    EXPECT_FALSE(controller.isDesktopHidden());

    desktop.finishChange();
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_FALSE(controller.wantsDesktopHidden());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !desktop.calls.endsWith(false); }, 5000));
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true}));

    controller.hide();  // waits for the show still being made
    QTimer::singleShot(50, [&] { desktop.finishChange(); });
    QTimer::singleShot(100, [&] { desktop.finishChange(); });
    controller.finishPendingChange();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true, false}));
    desktop.finishChange();
    EXPECT_TRUE(controller.isDesktopHidden());
}

TEST_F(DesktopControllerTest, HideAndShowAlwaysSwitchButNotifyOnlyOnChange) {
    DesktopController controller(desktop, prefs, workspace);
    QSignalSpy hidden(&controller, &DesktopController::isDesktopHiddenChanged);
    test::LogCapture log;

    controller.hide();
    controller.hide();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, false}));
    EXPECT_EQ(hidden.count(), 1);
    EXPECT_TRUE(controller.isDesktopHidden());

    controller.show();
    EXPECT_EQ(hidden.count(), 2);
    EXPECT_EQ(hidden.last().first().toBool(), false);
    EXPECT_EQ(
        log.formatted(QStringLiteral("app.hushpane.desktop")),
        (QStringList{QStringLiteral("info: hide requested"), QStringLiteral("info: hide requested"),
                     QStringLiteral("info: show requested")}));
}

// A switch that could not be made (a write that failed, a desktop that refused) changes
// nothing: the state, the icon and the menu stay, the reason shows, and the next press tries
// again.
TEST_F(DesktopControllerTest, AFailedSwitchKeepsTheStateAndTheNextPressTriesAgain) {
    DesktopController controller(desktop, prefs, workspace);
    QSignalSpy hidden(&controller, &DesktopController::isDesktopHiddenChanged);
    QSignalSpy errors(&controller, &DesktopController::lastErrorChanged);
    desktop.failure = kRestartFailure;

    controller.hide();
    EXPECT_FALSE(controller.isDesktopHidden());
    EXPECT_FALSE(controller.wantsDesktopHidden());
    EXPECT_EQ(controller.lastError(), kRestartFailure);
    EXPECT_EQ(hidden.count(), 0);

    desktop.failure.reset();
    controller.hide();
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_EQ(controller.lastError(), std::nullopt);
    EXPECT_EQ(errors.count(), 2);

    // A failed show keeps the desktop hidden, and its custom picture with it.
    desktop.failure = kRestartFailure;
    controller.show();
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_EQ(controller.lastError(), kRestartFailure);
}

// A desktop that breaks under back-to-back changes gets each one after the spacing: four
// toggles in one command are a hide at once and the show that ends the burst, 300 ms later.
TEST_F(DesktopControllerTest, ADesktopThatTakesOneChangeAtATimeGetsEachAfterTheSpacing) {
    desktop.atOnce = 1;
    DesktopController controller(desktop, prefs, workspace);
    controller.hide();
    controller.show();
    controller.hide();
    controller.show();
    EXPECT_EQ(desktop.calls, QList<bool>{false});
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.hasPendingChange(); }, 5000));
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true}));
    controller.hide();  // the turn was spent: this one waits too
    EXPECT_EQ(desktop.calls.size(), 2);
    EXPECT_TRUE(controller.hasPendingChange());
}

// A burst of requests: the first few go through, the rest wait for their turn and collapse
// into the last one, so the desktop sees a handful of changes however long the burst.
TEST_F(DesktopControllerTest, ABurstOfTogglesCollapsesIntoSpacedChanges) {
    DesktopController controller(desktop, prefs, workspace);
    const auto toggle = [&] {
        if (controller.wantsDesktopHidden()) {
            controller.show();
        } else {
            controller.hide();
        }
    };
    for (int i = 0; i < 51; ++i) {
        toggle();
    }
    EXPECT_EQ(desktop.calls.size(), DesktopController::kBurstChanges);
    EXPECT_TRUE(controller.hasPendingChange());
    // 51 toggles from shown end hidden, whatever the desktop shows meanwhile.
    EXPECT_TRUE(controller.wantsDesktopHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.hasPendingChange(); }, 5000));
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_FALSE(desktop.creates);
    EXPECT_EQ(desktop.calls.size(), DesktopController::kBurstChanges + 1);

    // A waiting change that ends where the desktop already is sends nothing.
    toggle();
    toggle();
    EXPECT_TRUE(controller.hasPendingChange());
    controller.finishPendingChange();
    EXPECT_EQ(desktop.calls.size(), DesktopController::kBurstChanges + 1);
    EXPECT_TRUE(controller.isDesktopHidden());

    // A change finished before its turn (by hand here, by a timer a little ahead in the wild)
    // still spends the turn: a request just after it waits, even once a spacing has passed
    // since the turn before. Two changes in a row crash xfdesktop.
    while (!controller.hasPendingChange()) {
        toggle();
    }
    const qsizetype sent = desktop.calls.size();
    QTest::qWait(DesktopController::kChangeSpacingMs * 2 / 3);
    controller.finishPendingChange();
    ASSERT_EQ(desktop.calls.size(), sent + 1);
    QTest::qWait(DesktopController::kChangeSpacingMs / 2);
    toggle();
    EXPECT_TRUE(controller.hasPendingChange());
    EXPECT_EQ(desktop.calls.size(), sent + 1);
}

TEST_F(DesktopControllerTest, FollowsTheDesktopWhenItChangesOnItsOwn) {
    workspace.addDisplay(QStringLiteral("main"), 3,
                         QUrl::fromLocalFile(QStringLiteral("/custom.png")));
    prefs.setOriginalWallpapers({{QStringLiteral("3"), QStringLiteral("/own.png")}});
    DesktopController controller(desktop, prefs, workspace);
    QSignalSpy hidden(&controller, &DesktopController::isDesktopHiddenChanged);

    desktop.changeOutside(false);
    EXPECT_TRUE(controller.isDesktopHidden());
    desktop.changeOutside(true);
    EXPECT_FALSE(controller.isDesktopHidden());
    EXPECT_EQ(hidden.count(), 2);
    EXPECT_TRUE(desktop.calls.isEmpty());
    // Icons back means the user's own picture back.
    EXPECT_EQ(workspace.display(QStringLiteral("main")).image,
              QUrl::fromLocalFile(QStringLiteral("/own.png")));
}

TEST_F(DesktopControllerTest, PassesOnWhatTheDesktopSaysAboutItself) {
    DesktopController controller(desktop, prefs, workspace);
    EXPECT_EQ(controller.desktopDescription(), QStringLiteral("in-memory desktop"));
    EXPECT_EQ(controller.desktopExplanation(),
              QStringLiteral("The in-memory desktop forgets its icons."));
}

TEST_F(DesktopControllerTest, ShowRestoresLeftoverPicturesEvenWithTheSettingOff) {
    workspace.addDisplay(QStringLiteral("main"), 3,
                         QUrl::fromLocalFile(QStringLiteral("/custom.png")));
    prefs.setOriginalWallpapers({{QStringLiteral("3"), QStringLiteral("/own.png")}});
    ASSERT_FALSE(prefs.useCustomWallpaper());
    DesktopController controller(desktop, prefs, workspace);
    workspace.display(QStringLiteral("main")).setError = QStringLiteral("busy");
    controller.show();
    EXPECT_EQ(controller.lastError(), QStringLiteral("Couldn't restore the wallpaper: busy"));
    workspace.display(QStringLiteral("main")).setError.clear();
    controller.show();
    EXPECT_EQ(controller.lastError(), std::nullopt);
    EXPECT_EQ(workspace.display(QStringLiteral("main")).image,
              QUrl::fromLocalFile(QStringLiteral("/own.png")));
}

// A failure where nothing else shows it (shortcut, tray, URL command) becomes one notification
// naming the reason, not one per press of a burst; the settings window shows its own.
TEST_F(DesktopControllerTest, AFailureOutsideTheSettingsWindowIsNotifiedOnce) {
    test::InMemoryDesktopNotifications notifications;
    DesktopController controller(desktop, prefs, workspace);
    FailureNotice notice(controller, notifications);
    desktop.failure = kRestartFailure;

    controller.hide(DesktopController::Origin::settingsWindow);
    EXPECT_TRUE(notifications.shown.isEmpty());
    EXPECT_EQ(controller.lastError(), kRestartFailure);

    controller.hide();
    controller.hide();
    ASSERT_EQ(notifications.shown.size(), 1);
    EXPECT_EQ(notifications.shown[0].summary, QStringLiteral("The desktop icons weren't hidden"));
    EXPECT_EQ(notifications.shown[0].body, kRestartFailure);

    notifications.closeAll();
    controller.show();
    ASSERT_EQ(notifications.shown.size(), 2);
    EXPECT_EQ(notifications.shown[1].summary, QStringLiteral("The desktop icons weren't shown"));
}
