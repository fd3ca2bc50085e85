#include "InMemoryShellExtensions.h"

#include "backends/gnome/GnomeDesktopSwitch.h"
#include "backends/gnome/GnomeWallpaperKeys.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "gsettings/InMemorySettingsStore.h"

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::InMemoryPreferenceDomain;
using test::InMemoryShellExtensions;

const QString kDing = QStringLiteral("ding@rastersoft.com");
const QString kGtk4Ding = QStringLiteral("gtk4-ding@smedius.gitlab.com");
const QString kSaved = QString::fromLatin1(GnomeDesktopSwitch::kSavedExtensionsKey);

class GnomeDesktopSwitchTest : public ::testing::Test {
protected:
    std::optional<QVariant> saved() const { return defaults.objectForKey(kSaved); }
    std::string errorOf(bool createsDesktop) {
        return desktop.setCreatesDesktop(createsDesktop)
            .value_or(QStringLiteral("(none)"))
            .toStdString();
    }

    InMemoryShellExtensions shell;
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
    GnomeDesktopSwitch desktop{shell, defaults};
};

TEST_F(GnomeDesktopSwitchTest, HideSwitchesTheExtensionOffAndShowSwitchesOnExactlyThat) {
    shell.install(kDing, ShellExtensions::enabled);
    shell.install(kGtk4Ding, ShellExtensions::disabled);  // the user's own choice
    EXPECT_TRUE(desktop.createsDesktop());

    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(shell.switches, QStringList{QStringLiteral("off ") + kDing});
    EXPECT_EQ(saved(), QVariant(QVariantList{kDing}));
    EXPECT_FALSE(desktop.createsDesktop());
    // Hidden already: nothing more to switch.
    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(shell.switches.size(), 1);

    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.switches.last(), QStringLiteral("on ") + kDing);
    EXPECT_EQ(shell.installed[kGtk4Ding].state, ShellExtensions::disabled);
    EXPECT_EQ(saved(), std::nullopt);
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.switches.size(), 2);
}

TEST_F(GnomeDesktopSwitchTest, ANewStartAfterACrashAdoptsTheHiddenStateAndShows) {
    shell.install(kDing, ShellExtensions::enabled);
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    // A stored list names only extensions Hushpane knows to draw icons.
    defaults.setObject(kSaved, QVariant(QVariantList{QStringLiteral("other@example.org"), kDing}));

    GnomeDesktopSwitch next(shell, defaults);
    EXPECT_FALSE(next.createsDesktop());
    EXPECT_EQ(next.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.switches,
              QStringList({QStringLiteral("off ") + kDing, QStringLiteral("on ") + kDing}));
    EXPECT_EQ(saved(), std::nullopt);
}

TEST_F(GnomeDesktopSwitchTest, WithoutAnIconsExtensionThatIsOnHidingFailsAndChangesNothing) {
    const auto failsWith = [this](const char* part) {
        const std::string error = errorOf(false);
        EXPECT_NE(error.find(part), std::string::npos) << error;
        EXPECT_TRUE(desktop.createsDesktop());
    };
    failsWith(
        "GNOME shows no desktop icons without a desktop icons extension, and none is "
        "installed");
    shell.install(kDing, ShellExtensions::disabled);
    failsWith("ding@rastersoft.com is switched off, so GNOME shows no desktop icons to hide");
    shell.install(kDing, ShellExtensions::initialized);
    failsWith("is switched off");
    shell.install(kDing, ShellExtensions::error, QStringLiteral("TypeError: x is undefined"));
    failsWith("failed in GNOME Shell (TypeError: x is undefined)");
    shell.install(kDing, ShellExtensions::outOfDate);
    failsWith("does not run on this GNOME Shell version");
    shell.install(kDing, ShellExtensions::enabled);
    shell.installed[kDing].canChange = false;
    failsWith("doesn't let the desktop icons extension ding@rastersoft.com be switched off");
    EXPECT_TRUE(shell.switches.isEmpty());
    EXPECT_EQ(saved(), std::nullopt);
    // Nor does showing switch on what the user keeps off.
    shell.install(kDing, ShellExtensions::disabled);
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_TRUE(shell.switches.isEmpty());
}

TEST_F(GnomeDesktopSwitchTest, AShellThatIsGoneOrRefusesLosesNothingToGiveBack) {
    shell.install(kDing, ShellExtensions::enabled);
    shell.unreachable = QStringLiteral("GNOME Shell doesn't answer (waited 0.4 s)");
    EXPECT_EQ(errorOf(false),
              "Couldn't change the GNOME desktop: GNOME Shell doesn't answer (waited 0.4 s)");
    EXPECT_EQ(saved(), std::nullopt);

    shell.unreachable.reset();
    shell.refusal = QStringLiteral("GNOME Shell refused to switch ding@rastersoft.com off");
    EXPECT_NE(errorOf(false).find("refused"), std::string::npos);
    EXPECT_EQ(saved(), std::nullopt);
    EXPECT_EQ(shell.installed[kDing].state, ShellExtensions::enabled);

    shell.refusal.reset();
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    shell.unreachable = QStringLiteral("GNOME Shell is not running");
    // Not known while the Shell is away; what to give back stays.
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_NE(errorOf(true).find("GNOME Shell is not running"), std::string::npos);
    EXPECT_EQ(saved(), QVariant(QVariantList{kDing}));

    shell.unreachable.reset();
    EXPECT_FALSE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.installed[kDing].state, ShellExtensions::enabled);

    // Uninstalled meanwhile: said, and forgotten.
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    shell.installed.clear();
    EXPECT_NE(errorOf(true).find("no longer installed"), std::string::npos);
    EXPECT_EQ(saved(), std::nullopt);
}

TEST_F(GnomeDesktopSwitchTest, TheUserSwitchingTheExtensionMeanwhileIsFollowed) {
    int changes = 0;
    desktop.setExternalChangeHandler([&changes] { ++changes; });
    ASSERT_TRUE(shell.changed);
    shell.changed();
    EXPECT_EQ(changes, 1);

    shell.install(kDing, ShellExtensions::enabled);
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    // On again in the Extensions app: shown, and nothing is left to give back.
    shell.installed[kDing].state = ShellExtensions::enabled;
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(saved(), std::nullopt);
    // Off again by the user: theirs, so nothing switches it on.
    shell.installed[kDing].state = ShellExtensions::disabled;
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(shell.switches.size(), 1);
}

// GNOME draws picture-uri-dark in the dark style: the custom picture goes into both, and the
// user's own two different pictures come back.
TEST(GnomeWallpaper, BothStylesShowTheCustomPictureAndGetTheirOwnBack) {
    const QString schema = QStringLiteral("org.gnome.desktop.background");
    const QString light = QStringLiteral("file:///usr/share/backgrounds/gnome/adwaita-l.jpg");
    const QString dark = QStringLiteral("file:///usr/share/backgrounds/gnome/adwaita-d.jpg");
    test::InMemorySettingsStore store;
    store.plant(schema, QStringLiteral("picture-uri"), light);
    store.plant(schema, QStringLiteral("picture-uri-dark"), dark);
    store.plant(schema, QStringLiteral("picture-options"), QStringLiteral("zoom"));
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
    GSettingsWorkspace workspace(store, defaults, gnomeWallpaperKeys());
    const QList<WorkspaceScreen> screens = workspace.screens();
    ASSERT_EQ(screens.size(), 1);
    const std::optional<QVariantMap> own = workspace.wallpaperState(screens[0]);
    ASSERT_TRUE(own);

    ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/c.png")),
                                           screens[0], {}),
              std::nullopt);
    EXPECT_EQ(store.get(schema, QStringLiteral("picture-uri")),
              QStringLiteral("file:///tmp/c.png"));
    EXPECT_EQ(store.get(schema, QStringLiteral("picture-uri-dark")),
              QStringLiteral("file:///tmp/c.png"));
    ASSERT_EQ(workspace.restoreWallpaperState(screens[0], *own), std::nullopt);
    EXPECT_EQ(store.get(schema, QStringLiteral("picture-uri")), light);
    EXPECT_EQ(store.get(schema, QStringLiteral("picture-uri-dark")), dark);
    EXPECT_EQ(store.get(schema, QStringLiteral("picture-options")), QStringLiteral("zoom"));
}

}  // namespace
}  // namespace hushpane
