// Hushpane's GNOME back-end against the real GNOME Shell 43 with Desktop Icons NG: the Shell on
// an Xvfb of the test process's own with software rendering, dconf on a private bus and a
// temporary HOME. GIO reads the session's settings in-process, so the process takes the
// session's environment before anything asks GIO (once per process: each case runs in its
// own). Screenshots prove what the Shell drew; they are kept under the build directory. The
// Shell's top bar (its clock ticks) is left out of the comparisons.

#include "support/ChildCase.h"
#include "support/DesktopScreenCheck.h"
#include "support/DesktopScreenshots.h"
#include "support/GSettingsCommand.h"
#include "support/GioSession.h"
#include "support/GnomeDesktopProfile.h"
#include "support/PrivateDesktop.h"
#include "support/PrivateSession.h"

#include "backends/gnome/GnomeDesktopSwitch.h"
#include "backends/gnome/GnomeWallpaperKeys.h"
#include "backends/gnome/ShellExtensionsClient.h"
#include "backends/gsettings/GSettingsWorkspace.h"
#include "backends/gsettings/GioSettingsStore.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace hushpane {
namespace {

using test::DesktopScreenCheck;
using test::DesktopScreenshots;
using test::PrivateDesktop;
using test::PrivateSession;

constexpr int kWaitMs = 30000;
constexpr int kMinIconPixels = 3000;
const QColor kCustom(0xc8, 0x50, 0x2d);
constexpr auto kChildVariable = "HUSHPANE_GNOME_CHILD_PREFERENCES";
constexpr auto kChildPictureVariable = "HUSHPANE_GNOME_CHILD_PICTURE";
const QString kBackground = QStringLiteral("org.gnome.desktop.background");

// Below the Shell's top bar.
QRect belowTopBar(const QImage& shot) {
    return {0, 48, shot.width(), shot.height() - 48};
}

// One Hushpane "run" on the desktop: its defaults file, preferences and controller.
struct Hushpane {
    explicit Hushpane(const QString& preferencesFile,
                      const QDBusConnection& bus = QDBusConnection::sessionBus())
        : domain(QStringLiteral("app.hushpane"), preferencesFile),
          defaults(domain),
          preferences(defaults, bookmarks),
          extensions(bus),
          desktopSwitch(extensions, defaults),
          workspace(store, defaults, gnomeWallpaperKeys()),
          controller(desktopSwitch, preferences, workspace) {}

    PlistPreferenceDomain domain;
    UserDefaults defaults;
    PosixFileBookmarks bookmarks;
    Preferences preferences;
    GioSettingsStore store;
    ShellExtensionsClient extensions;
    GnomeDesktopSwitch desktopSwitch;
    GSettingsWorkspace workspace;
    DesktopController controller;
};

class GnomeDesktopEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsSet(kChildVariable)) {
            GTEST_SKIP() << "child run";
        }
        if (QStandardPaths::findExecutable(QStringLiteral("gnome-shell")).isEmpty()) {
            GTEST_SKIP() << "gnome-shell is not installed";
        }
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        ASSERT_TRUE(test::adoptSessionForGio(session));
        preferencesFile = session.configHome() + QStringLiteral("/hushpane/app.hushpane.plist");
        ASSERT_TRUE(
            session.addDesktopItems({QStringLiteral("notes.txt"), QStringLiteral("todo.md")}));
        screen = std::make_unique<PrivateDesktop>(session, profile);
        shots = std::make_unique<DesktopScreenshots>(
            *screen, DesktopScreenshots::artifactPrefix(QStringLiteral("gnome")));
        ASSERT_TRUE(screen->start(std::chrono::seconds(120))) << screen->error().toStdString();
        // The top bar alone looks like icons to that check: wait for Desktop Icons NG's, the
        // same in two screenshots in a row.
        QImage previous;
        bool drawn = false;
        iconsShown = shots->waitFor(
            [&](const QImage& shot) {
                const QRect iconArea(0, 48, 200, shot.height() - 48);
                const bool same =
                    !previous.isNull() && DesktopScreenCheck::pixelsDiffering(shot, previous) == 0;
                previous = shot;
                return same && DesktopScreenCheck::pixelsOtherThan(shot, screen->wallpaper(),
                                                                   iconArea) >= kMinIconPixels;
            },
            QStringLiteral("before"), &drawn, std::chrono::seconds(90));
        ASSERT_TRUE(drawn) << "Desktop Icons NG drew no icons; see the before screenshot";
        ownPicture = background(QStringLiteral("picture-uri"));
        ASSERT_TRUE(ownPicture);
        custom = PrivateDesktop::writeSolidPicture(session.home() + QStringLiteral("/custom.png"),
                                                   kCustom);
    }

    std::optional<QString> background(const QString& key) const {
        return test::gsettingsGet(session, kBackground, key);
    }
    std::optional<QString> enabledExtensions() const {
        return test::gsettingsGet(session, QStringLiteral("org.gnome.shell"),
                                  QStringLiteral("enabled-extensions"));
    }

    void expectOnly(const QColor& color, const QString& name) const {
        shots->expectOnly(color, name, belowTopBar(iconsShown));
    }
    void expectAsBefore(const QString& name) const {
        shots->expectAsBefore(iconsShown, screen->wallpaper(), name, belowTopBar(iconsShown));
    }
    void expectTheUsersOwnBack() const {
        EXPECT_EQ(background(QStringLiteral("picture-uri")), ownPicture);
        EXPECT_EQ(background(QStringLiteral("picture-uri-dark")), ownPicture);
        EXPECT_EQ(background(QStringLiteral("picture-options")), QStringLiteral("'stretched'"));
        EXPECT_EQ(enabledExtensions(), QStringLiteral("['ding@rastersoft.com']"));
        expectAsBefore(QStringLiteral("after"));
    }

    void TearDown() override {
        // A GDBus connection in this process that is not GIO's own session bus (one a GIO
        // module opens) still ends the process with SIGTERM when the bus goes with the
        // session below; the test is over by then.
        std::signal(SIGTERM, SIG_IGN);
    }

    PrivateSession session;
    test::GnomeDesktopProfile profile;
    std::unique_ptr<PrivateDesktop> screen;
    std::unique_ptr<DesktopScreenshots> shots;
    QString preferencesFile;
    QImage iconsShown;
    std::optional<QString> ownPicture;
    QString custom;
};

TEST_F(GnomeDesktopEndToEnd, HideShowsOnlyTheCustomWallpaperAndShowPutsEverythingBack) {
    Hushpane hushpane(preferencesFile, session.bus());
    EXPECT_FALSE(hushpane.controller.isDesktopHidden());
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));

    hushpane.controller.hide();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(enabledExtensions(), QStringLiteral("@as []"));
    EXPECT_TRUE(
        background(QStringLiteral("picture-uri-dark")).value_or(QString()).contains(custom));
    expectOnly(kCustom, QStringLiteral("hidden"));

    hushpane.controller.show();
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    expectTheUsersOwnBack();
}

TEST_F(GnomeDesktopEndToEnd, AHushpaneKilledWhileHiddenIsFollowedByOneThatAdoptsAndShows) {
    QProcessEnvironment variables;
    variables.insert(QString::fromLatin1(kChildVariable), preferencesFile);
    variables.insert(QString::fromLatin1(kChildPictureVariable), custom);
    const std::optional<QProcess::ExitStatus> child = test::runChildCase(
        session, QStringLiteral("GnomeDesktopChild.HideThenDieBySigkill"), variables, kWaitMs);
    ASSERT_TRUE(child);
    EXPECT_EQ(*child, QProcess::CrashExit);
    EXPECT_EQ(enabledExtensions(), QStringLiteral("@as []"));
    expectOnly(kCustom, QStringLiteral("hidden"));

    Hushpane next(preferencesFile, session.bus());
    EXPECT_TRUE(next.controller.isDesktopHidden());
    next.controller.show();
    EXPECT_EQ(next.controller.lastError(), std::nullopt);
    expectTheUsersOwnBack();
}

// Runs only as the child of the test above: hides with the custom wallpaper, then dies the
// hard way.
TEST(GnomeDesktopChild, HideThenDieBySigkill) {
    const QString preferences = qEnvironmentVariable(kChildVariable);
    if (preferences.isEmpty()) {
        GTEST_SKIP() << "only run as a child of AHushpaneKilledWhileHiddenIsFollowedByOne...";
    }
    Hushpane hushpane(preferences);
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.preferences.setCustomWallpaperURL(
        QUrl::fromLocalFile(qEnvironmentVariable(kChildPictureVariable)));
    hushpane.controller.hide();
    ASSERT_EQ(hushpane.controller.lastError(), std::nullopt);
    ::raise(SIGKILL);
}

}  // namespace
}  // namespace hushpane
