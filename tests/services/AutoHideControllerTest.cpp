#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryHideTrigger.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/AutoHideController.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace hushpane;
using Trigger = AutoHideController::Trigger;

namespace {

constexpr int kGraceMs = 40;

// One run of Hushpane over a desktop and preferences that outlive it, so a test can restart it.
class AutoHideControllerTest : public ::testing::TestWithParam<Trigger> {
protected:
    void SetUp() override {
        if (GetParam() == Trigger::screenShared) {
            prefs.setHideWhileScreenShared(true);
        } else {
            prefs.setHideWhileMirrored(true);
        }
        launch();
    }

    void launch() {
        autoHide.reset();
        controller = std::make_unique<DesktopController>(desktop, prefs, workspace);
        autoHide = std::make_unique<AutoHideController>(*controller, prefs);
        autoHide->setEndGrace(kGraceMs);
        autoHide->setTrigger(Trigger::screenShared, &shared);
        autoHide->setTrigger(Trigger::mirrored, &mirrored);
        autoHide->start();
    }

    test::InMemoryHideTrigger& trigger() {
        return GetParam() == Trigger::screenShared ? shared : mirrored;
    }
    test::InMemoryHideTrigger& other() {
        return GetParam() == Trigger::screenShared ? mirrored : shared;
    }
    // Past the grace period that lets a trigger come back before the icons do, with any change
    // still waiting for its turn carried out.
    void afterGrace() {
        QTest::qWait(kGraceMs * 3);
        controller->finishPendingChange();
    }

    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    test::InMemoryWorkspace workspace;
    test::InMemoryDesktopSwitch desktop;
    test::InMemoryHideTrigger shared;
    test::InMemoryHideTrigger mirrored;
    std::unique_ptr<DesktopController> controller;
    std::unique_ptr<AutoHideController> autoHide;
};

TEST_P(AutoHideControllerTest, HidesWhileTheTriggerLastsAndShowsAfterwards) {
    EXPECT_TRUE(trigger().started);
    EXPECT_FALSE(other().started);  // its switch is off: nothing watches

    trigger().setActive(true);
    EXPECT_EQ(desktop.calls, QList<bool>{false});
    EXPECT_EQ(autoHide->hiddenBecause(), GetParam());
    EXPECT_FALSE(AutoHideController::reasonText(GetParam()).isEmpty());

    // A viewer that reconnects within the grace period does not flash the icons.
    trigger().setActive(false);
    QTest::qWait(kGraceMs / 4);
    trigger().setActive(true);
    afterGrace();
    EXPECT_EQ(desktop.calls, QList<bool>{false});

    trigger().setActive(false);
    afterGrace();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true}));
    EXPECT_EQ(autoHide->hiddenBecause(), std::nullopt);
    EXPECT_TRUE(prefs.autoHideState().isEmpty());
}

// Whatever the user does by hand wins until the trigger is over; the next one hides again.
TEST_P(AutoHideControllerTest, TheUsersOwnChangeIsNeverOverridden) {
    trigger().setActive(true);
    controller->show();  // the shortcut, the tray or a URL command
    trigger().setActive(false);
    trigger().setActive(true);
    afterGrace();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true}));

    trigger().setActive(false);
    afterGrace();
    trigger().setActive(true);
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true, false}));

    // Shown from the desktop's own settings counts the same.
    desktop.changeOutside(true);
    trigger().setActive(false);
    afterGrace();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true, false}));

    // Asked to hide while hidden automatically (nothing changes on screen): theirs from then on.
    trigger().setActive(true);
    controller->hide();
    trigger().setActive(false);
    afterGrace();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true, false, false, false}));

    // Icons the user hid stay hidden after a trigger that came while they were.
    trigger().setActive(true);
    trigger().setActive(false);
    afterGrace();
    EXPECT_EQ(desktop.calls.size(), 5);
    EXPECT_TRUE(controller->isDesktopHidden());
}

// A restart (or a crash) in the middle follows on: the icons it hid come back once the new run
// knows the trigger is over, and not before it knows.
TEST_P(AutoHideControllerTest, ARestartInTheMiddleFollowsTheTrigger) {
    trigger().setActive(true);
    autoHide.reset();  // ends without stop(): a crash
    trigger().stop();
    trigger().settlesOnStart = false;
    launch();
    EXPECT_EQ(autoHide->hiddenBecause(), GetParam());

    afterGrace();
    trigger().settle();  // still going
    afterGrace();
    EXPECT_EQ(desktop.calls, QList<bool>{false});

    trigger().stop();
    trigger().settlesOnStart = true;
    trigger().setActive(false);
    launch();  // over while Hushpane was not running
    afterGrace();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true}));
    EXPECT_TRUE(prefs.autoHideState().isEmpty());
}

// Turning the switch off ends what it started; quitting forgets it (quitting shows the icons).
TEST_P(AutoHideControllerTest, SwitchingOffEndsItAndQuittingForgetsIt) {
    trigger().setActive(true);
    if (GetParam() == Trigger::screenShared) {
        prefs.setHideWhileScreenShared(false);
    } else {
        prefs.setHideWhileMirrored(false);
    }
    EXPECT_FALSE(trigger().started);
    afterGrace();
    EXPECT_EQ(desktop.calls, (QList<bool>{false, true}));

    trigger().unavailable = QStringLiteral("PipeWire is not running");
    if (GetParam() == Trigger::screenShared) {
        prefs.setHideWhileScreenShared(true);
    } else {
        prefs.setHideWhileMirrored(true);
    }
    EXPECT_FALSE(trigger().started);
    EXPECT_EQ(autoHide->unavailableReason(GetParam()), trigger().unavailable);

    trigger().unavailable.clear();
    launch();
    trigger().setActive(true);
    autoHide->stop();
    EXPECT_FALSE(trigger().started);
    EXPECT_TRUE(prefs.autoHideState().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(BothTriggers, AutoHideControllerTest,
                         ::testing::Values(Trigger::screenShared, Trigger::mirrored),
                         [](const auto& param) {
                             return param.param == Trigger::screenShared ? "ScreenShared"
                                                                         : "Mirrored";
                         });

}  // namespace
