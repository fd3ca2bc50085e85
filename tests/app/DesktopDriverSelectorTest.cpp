#include "app/DesktopDriverSelector.h"
#include "app/DesktopDrivers.h"
#include "backends/gnome/GnomeDesktopSwitch.h"
#include "backends/linux/UnsupportedDesktopSwitch.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryProcessLauncher.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QSet>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

DesktopDriverEntry entry(const char* name, QStringList desktopNames, QStringList busNames,
                         QStringList processNames, bool detectable = true) {
    return {QString::fromLatin1(name),
            std::move(desktopNames),
            std::move(busNames),
            std::move(processNames),
            detectable,
            [] {
                DesktopDriver driver;
                driver.desktopSwitch = std::make_unique<test::InMemoryDesktopSwitch>();
                driver.workspace = std::make_unique<test::InMemoryWorkspace>();
                return driver;
            }};
}

// The application's own drivers, on in-memory stores and no bus.
struct DriverContext {
    test::InMemoryPreferenceDomain appDomain;
    test::InMemoryPreferenceDomain finderDomain;
    UserDefaults defaults{appDomain};
    test::InMemoryProcessLauncher launcher;
    const DesktopDriverContext context{QDBusConnection(QStringLiteral("none")), defaults, launcher,
                                       finderDomain};
};

class SelectorTest : public ::testing::Test {
protected:
    SelectorTest() {
        environment.ownsBusName = [this](const QString& name) { return owned.contains(name); };
        environment.runsProcess = [this](const QString& name) { return running.contains(name); };
    }
    QString chosen(const QString& stored = QString()) const {
        const DesktopDriverSelector::Choice choice = selector.choose(stored, environment);
        return choice.entry ? choice.entry->name : QStringLiteral("none: ") + choice.why;
    }

    DesktopDriverSelector selector{{
        entry("xfce", {QStringLiteral("XFCE")}, {QStringLiteral("org.xfce.xfdesktop")},
              {QStringLiteral("xfdesktop")}),
        entry("mate", {QStringLiteral("MATE")}, {QStringLiteral("org.mate.Caja")},
              {QStringLiteral("caja")}),
        entry("finder", {}, {}, {QStringLiteral("Finder")}, false),
    }};
    DesktopEnvironment environment;
    QSet<QString> owned;
    QSet<QString> running;
};

}  // namespace

TEST_F(SelectorTest, TheSessionsNamesComeFirstThenBusNamesThenProcesses) {
    EXPECT_EQ(chosen(), QStringLiteral("none: XDG_CURRENT_DESKTOP is not set"));

    running.insert(QStringLiteral("caja"));
    EXPECT_EQ(chosen(), QStringLiteral("mate"));
    owned.insert(QStringLiteral("org.xfce.xfdesktop"));
    EXPECT_EQ(chosen(), QStringLiteral("xfce"));  // an owned name beats a running process

    environment.sessionDesktop = QStringLiteral("mate");
    EXPECT_EQ(chosen(), QStringLiteral("mate"));
    environment.currentDesktop = QStringLiteral("X-Generic:xfce");
    EXPECT_EQ(chosen(), QStringLiteral("xfce"));  // entries in order, either variable

    // Names must match whole: "XFCE-like" is not XFCE.
    owned.clear();
    running.clear();
    environment.sessionDesktop.clear();
    environment.currentDesktop = QStringLiteral("GNOME:XFCE-like");
    EXPECT_EQ(chosen(), QStringLiteral("none: XDG_CURRENT_DESKTOP=GNOME:XFCE-like"));
}

TEST_F(SelectorTest, TheStoredChoiceWinsAndFinderComesOnlyByName) {
    environment.currentDesktop = QStringLiteral("XFCE");
    running.insert(QStringLiteral("Finder"));
    EXPECT_EQ(chosen(QStringLiteral("auto")), QStringLiteral("xfce"));
    EXPECT_EQ(chosen(QStringLiteral("MATE")), QStringLiteral("mate"));
    EXPECT_EQ(chosen(QStringLiteral("finder")), QStringLiteral("finder"));

    // An unknown name falls back to detection, and says so when nothing is found.
    EXPECT_EQ(chosen(QStringLiteral("enlightenment")), QStringLiteral("xfce"));
    environment.currentDesktop = QStringLiteral("sway");
    EXPECT_EQ(chosen(QStringLiteral("enlightenment")),
              QStringLiteral("none: XDG_CURRENT_DESKTOP=sway; the stored desktopDriver "
                             "\"enlightenment\" is none of auto, xfce, mate, finder"));
    EXPECT_EQ(selector.detectableNames(),
              (QStringList{QStringLiteral("xfce"), QStringLiteral("mate")}));
}

// Without a supported desktop, hiding fails visibly and writes nothing; the state stays shown.
TEST(NoSupportedDesktop, HidingFailsWithWhatWasFoundAndNothingIsWritten) {
    DriverContext drivers;
    const DesktopDriverContext& context = drivers.context;
    DesktopEnvironment environment;
    environment.currentDesktop = QStringLiteral("sway");
    DesktopDriver driver = makeDesktopDriver(context, QString(), environment);
    ASSERT_TRUE(dynamic_cast<UnsupportedDesktopSwitch*>(driver.desktopSwitch.get()));

    test::InMemoryFileBookmarks bookmarks;
    Preferences preferences(drivers.defaults, bookmarks);
    DesktopController controller(*driver.desktopSwitch, preferences, *driver.workspace);
    const int writes = drivers.appDomain.synchronizeCount;
    controller.hide();
    EXPECT_FALSE(controller.isDesktopHidden());
    EXPECT_EQ(controller.lastError(),
              QStringLiteral("Couldn't hide the desktop icons: no supported desktop was found "
                             "(XDG_CURRENT_DESKTOP=sway)"));
    controller.show();
    EXPECT_EQ(controller.lastError(), std::nullopt);
    EXPECT_EQ(drivers.appDomain.synchronizeCount, writes);
    EXPECT_EQ(drivers.finderDomain.synchronizeCount, 0);
    EXPECT_TRUE(drivers.launcher.launches.isEmpty());
    EXPECT_TRUE(
        controller.desktopDescription().contains(QStringLiteral("XDG_CURRENT_DESKTOP=sway")));
    EXPECT_FALSE(controller.desktopExplanation().contains(QStringLiteral("Finder")));

    // The Finder-compatible switch when asked for by name.
    DesktopDriver finder = makeDesktopDriver(context, QStringLiteral("finder"), environment);
    EXPECT_TRUE(finder.desktopSwitch->explanation().contains(QStringLiteral("Finder restarts")));
}

// KDE Plasma: named by the session, by its shell's bus name, or by the stored choice "plasma".
TEST(PlasmaDriver, IsFoundByTheSessionOrPlasmashellsBusNameAndChosenAsPlasma) {
    DriverContext drivers;
    const DesktopDriverContext& context = drivers.context;
    const DesktopDriverSelector selector(desktopDrivers(context));
    DesktopEnvironment environment;
    environment.currentDesktop = QStringLiteral("KDE");
    const auto chosen = [&](const QString& stored = QString()) {
        const DesktopDriverSelector::Choice choice = selector.choose(stored, environment);
        return choice.entry ? choice.entry->name : QString();
    };
    EXPECT_EQ(chosen(), QStringLiteral("plasma"));
    environment.currentDesktop.clear();
    environment.ownsBusName = [](const QString& name) {
        return name == QLatin1String("org.kde.plasmashell");
    };
    EXPECT_EQ(chosen(), QStringLiteral("plasma"));
    environment.ownsBusName = {};
    EXPECT_EQ(chosen(QStringLiteral("plasma")), QStringLiteral("plasma"));
    const DesktopDriver driver = makeDesktopDriver(context, QStringLiteral("plasma"), environment);
    EXPECT_EQ(driver.desktopSwitch->description(),
              QStringLiteral("KDE Plasma desktop (plasmashell)"));
}

// GNOME is found by its names in the session (also Ubuntu's "ubuntu:GNOME") or by the Shell's
// bus name, and can be chosen as "gnome".
TEST(GnomeDesktopDetection, TheSessionOrTheShellOnTheBusOrTheStoredChoice) {
    DriverContext drivers;
    const DesktopDriverContext& context = drivers.context;
    const auto isGnome = [&](const QString& stored, const DesktopEnvironment& environment) {
        const DesktopDriver driver = makeDesktopDriver(context, stored, environment);
        return dynamic_cast<GnomeDesktopSwitch*>(driver.desktopSwitch.get()) != nullptr;
    };
    DesktopEnvironment environment;
    environment.currentDesktop = QStringLiteral("ubuntu:GNOME");
    EXPECT_TRUE(isGnome(QString(), environment));
    environment.currentDesktop.clear();
    EXPECT_FALSE(isGnome(QString(), environment));
    environment.ownsBusName = [](const QString& name) {
        return name == QLatin1String("org.gnome.Shell");
    };
    EXPECT_TRUE(isGnome(QString(), environment));
    environment.ownsBusName = {};
    environment.currentDesktop = QStringLiteral("XFCE");
    EXPECT_TRUE(isGnome(QStringLiteral("gnome"), environment));
}

// Each desktop brings, with its switch, what the rest of the program needs of it: its own
// shortcuts, where a command can be bound, its portal's shortcut store, its mirror watcher.
TEST(DesktopDrivers, EachDesktopBringsWhatOnlyItKnows) {
    DriverContext drivers;
    struct Expected {
        const char* name;
        bool keybindings, commandKeybindings, rekey, mirroredDisplays, menuBar;
    };
    const Expected table[] = {
        {"xfce", true, false, false, false, false},
        {"mate", true, false, false, false, false},
        {"cinnamon", true, false, false, false, false},
        {"lxde", false, false, false, false, false},
        {"lxqt", false, false, false, false, false},
        {"gnome", true, true, false, true, false},
        {"plasma", false, false, true, false, false},
        {"finder", false, false, false, false, true},
    };
    QStringList names;
    for (const Expected& expected : table) {
        SCOPED_TRACE(expected.name);
        names.append(QString::fromLatin1(expected.name));
        const DesktopDriver driver = makeDesktopDriver(
            drivers.context, QString::fromLatin1(expected.name), DesktopEnvironment());
        ASSERT_TRUE(driver.desktopSwitch && driver.workspace);
        EXPECT_EQ(bool(driver.keybindings), expected.keybindings);
        EXPECT_EQ(driver.commandKeybindings != nullptr, expected.commandKeybindings);
        EXPECT_EQ(bool(driver.rekeyPortalShortcut), expected.rekey);
        EXPECT_EQ(driver.mirroredDisplays != nullptr, expected.mirroredDisplays);
        EXPECT_EQ(driver.hasMenuBarAndDock, expected.menuBar);
        EXPECT_EQ(driver.trayNeedsShellExtension, expected.commandKeybindings);
    }
    QStringList listed;
    for (const DesktopDriverEntry& entry : desktopDrivers(drivers.context)) {
        listed.append(entry.name);
    }
    EXPECT_EQ(listed, names);
}
