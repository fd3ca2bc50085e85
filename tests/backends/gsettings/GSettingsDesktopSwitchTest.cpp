#include "backends/cinnamon/CinnamonDesktopSwitch.h"
#include "backends/mate/MateDesktopSwitch.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "gsettings/InMemorySettingsStore.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::InMemoryPreferenceDomain;
using test::InMemorySettingsStore;
using test::ScriptedDesktopProgram;
using State = DesktopProgram::State;

const QString kMate = QString::fromLatin1(MateDesktopSwitch::kSchema);
const QString kShow = QString::fromLatin1(MateDesktopSwitch::kKey);
const QString kNemo = QString::fromLatin1(CinnamonDesktopSwitch::kSchema);
const QString kLayout = QString::fromLatin1(CinnamonDesktopSwitch::kKey);
const QString kSaved = QString::fromLatin1(CinnamonDesktopSwitch::kSavedLayoutKey);

class MateDesktopSwitchTest : public ::testing::Test {
protected:
    void SetUp() override { store.plant(kMate, kShow, true); }
    InMemorySettingsStore store;
    ScriptedDesktopProgram caja;
    MateDesktopSwitch desktop{store, caja};
};

TEST_F(MateDesktopSwitchTest, HideAndShowFlipTheKeyAndStartCajaWhenItEndedWithItsDesktop) {
    test::LogCapture log;
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(store.get(kMate, kShow), QVariant(false));
    EXPECT_FALSE(desktop.createsDesktop());

    caja.current = State::notRunning;  // what caja does when its desktop closes
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(store.get(kMate, kShow), QVariant(true));
    EXPECT_EQ(caja.launches, 1);
    EXPECT_EQ(log.formatted(QStringLiteral("app.hushpane.desktop")),
              QStringList({QStringLiteral("info: org.mate.background show-desktop-icons set to "
                                          "false (was true)"),
                           QStringLiteral("info: org.mate.background show-desktop-icons set to "
                                          "true"),
                           QStringLiteral("info: caja started to draw the icons")}));

    // Showing while shown changes nothing and starts nothing.
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(store.writes.size(), 2);
    EXPECT_EQ(caja.launches, 1);
}

// Shown right after a hide, caja still answers but is on its way out: once it has left it is
// started again, so the icons do not leave with it. One that stays is left alone.
TEST_F(MateDesktopSwitchTest, ACajaStillLeavingAfterAQuickHideIsStartedAgain) {
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(caja.launches, 0);

    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    caja.leaving = true;
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(store.get(kMate, kShow), QVariant(true));
    EXPECT_EQ(caja.launches, 1);
    EXPECT_EQ(caja.current, State::answering);
}

TEST_F(MateDesktopSwitchTest, AProgramThatIsMissingOrHungChangesNothing) {
    caja.current = State::notRunning;
    std::optional<QString> error = desktop.setCreatesDesktop(false);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QStringLiteral("Couldn't change the MATE desktop: caja is not running, so it "
                                     "draws no icons to hide; nothing was changed"));

    caja.current = State::notAnswering;
    error = desktop.setCreatesDesktop(false);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QStringLiteral("Couldn't change the MATE desktop: caja doesn't answer "
                                     "(waited 2 s); nothing was changed"));
    store.plant(kMate, kShow, false);
    EXPECT_TRUE(desktop.setCreatesDesktop(true));
    EXPECT_TRUE(store.writes.isEmpty());
}

TEST_F(MateDesktopSwitchTest, ACajaThatCannotBeStartedLeavesTheDesktopAsItWas) {
    store.plant(kMate, kShow, false);
    caja.current = State::notRunning;
    caja.launchFails = true;
    const std::optional<QString> error = desktop.setCreatesDesktop(true);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error,
              QStringLiteral("Couldn't change the MATE desktop: caja could not be started"));
    EXPECT_EQ(store.get(kMate, kShow), QVariant(false));
}

TEST_F(MateDesktopSwitchTest, AValueOfAnUnexpectedTypeIsLeftAloneAndReported) {
    store.plant(kMate, kShow, QStringLiteral("no"));
    EXPECT_TRUE(desktop.createsDesktop());
    const std::optional<QString> error = desktop.setCreatesDesktop(false);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral(
        "org.mate.background show-desktop-icons holds a value of an unexpected type (QString)")))
        << error->toStdString();
    EXPECT_TRUE(store.writes.isEmpty());

    store.values.clear();  // schema not installed
    EXPECT_TRUE(desktop.setCreatesDesktop(false));
    EXPECT_EQ(desktop.description(), QStringLiteral("MATE desktop (caja)"));
}

class CinnamonDesktopSwitchTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.plant(kNemo, kLayout, QStringLiteral("true::true"));
        nemo.programName = QStringLiteral("nemo-desktop");
    }
    InMemorySettingsStore store;
    ScriptedDesktopProgram nemo;
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
};

TEST_F(CinnamonDesktopSwitchTest, TheUsersLayoutComesBackAlsoThroughANewRun) {
    {
        CinnamonDesktopSwitch desktop(store, nemo, defaults);
        EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
        EXPECT_EQ(store.get(kNemo, kLayout), QStringLiteral("false::false"));
        EXPECT_EQ(defaults.stringForKey(kSaved), QStringLiteral("true::true"));
    }
    CinnamonDesktopSwitch next(store, nemo, defaults);
    EXPECT_FALSE(next.createsDesktop());
    EXPECT_EQ(next.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(store.get(kNemo, kLayout), QStringLiteral("true::true"));
    EXPECT_FALSE(defaults.objectForKey(kSaved));
    EXPECT_EQ(nemo.launches, 0);
}

TEST_F(CinnamonDesktopSwitchTest, ABrokenSavedLayoutGivesNemosDefault) {
    store.plant(kNemo, kLayout, QStringLiteral("false::false"));
    defaults.setString(kSaved, QStringLiteral("yes::please"));
    CinnamonDesktopSwitch desktop(store, nemo, defaults);
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(store.get(kNemo, kLayout), QStringLiteral("true::false"));
    EXPECT_TRUE(CinnamonDesktopSwitch::layoutShowsIcons(QStringLiteral("false::true")));
    EXPECT_FALSE(CinnamonDesktopSwitch::layoutShowsIcons(QStringLiteral("true")));
}

// nemo-desktop died while hidden: nothing changes, the user's layout stays kept for the show
// that follows once it runs again.
TEST_F(CinnamonDesktopSwitchTest, ADeadNemoDesktopAtShowChangesNothingAndLosesNothing) {
    CinnamonDesktopSwitch desktop(store, nemo, defaults);
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    nemo.current = State::notRunning;
    const std::optional<QString> error = desktop.setCreatesDesktop(true);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QStringLiteral("Couldn't change the Cinnamon desktop: nemo-desktop is not "
                                     "running; nothing was changed, and the icons come back when "
                                     "it runs again and they are shown"));
    EXPECT_EQ(store.get(kNemo, kLayout), QStringLiteral("false::false"));
    EXPECT_EQ(defaults.stringForKey(kSaved), QStringLiteral("true::true"));
    EXPECT_EQ(nemo.launches, 0);

    nemo.current = State::answering;
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(store.get(kNemo, kLayout), QStringLiteral("true::true"));
}

}  // namespace
}  // namespace hushpane
