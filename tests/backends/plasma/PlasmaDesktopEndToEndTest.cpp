// Hushpane's Plasma back-end against the real plasmashell: on an Xvfb of its own under openbox,
// with a private bus and a temporary HOME, its folder view drawing the icons of a throw-away
// Desktop folder. Screenshots prove what it drew; they are kept under the build directory.

#include "PlasmaDesktopProfile.h"

#include "backends/plasma/PlasmaDesktopSwitch.h"
#include "backends/plasma/PlasmaShellClient.h"
#include "backends/plasma/PlasmaWorkspace.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "support/DesktopScreenshots.h"
#include "support/PrivateDesktop.h"
#include "support/PrivateSession.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace hushpane {
namespace {

using test::DesktopScreenshots;
using test::PrivateDesktop;
using test::PrivateSession;

constexpr int kWaitMs = 30000;
const QColor kCustom(0xc8, 0x50, 0x2d);

// One Hushpane "run": its defaults file, preferences and controller.
struct Hushpane {
    Hushpane(const QDBusConnection& bus, const QString& preferencesFile)
        : domain(QStringLiteral("app.hushpane"), preferencesFile),
          defaults(domain),
          preferences(defaults, bookmarks),
          client(bus),
          desktopSwitch(client, defaults),
          workspace(client),
          controller(desktopSwitch, preferences, workspace) {}

    PlistPreferenceDomain domain;
    UserDefaults defaults;
    PosixFileBookmarks bookmarks;
    Preferences preferences;
    PlasmaShellClient client;
    PlasmaDesktopSwitch desktopSwitch;
    PlasmaWorkspace workspace;
    DesktopController controller;
};

class PlasmaDesktopEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable(QStringLiteral("plasmashell")).isEmpty()) {
            GTEST_SKIP() << "plasmashell is not installed";
        }
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        preferencesFile = session.configHome() + QStringLiteral("/hushpane/app.hushpane.plist");
        ASSERT_TRUE(session.addSampleDesktopItems());
        screen = std::make_unique<PrivateDesktop>(session, profile);
        shots = std::make_unique<DesktopScreenshots>(
            *screen, DesktopScreenshots::artifactPrefix(QStringLiteral("plasma")));
        ASSERT_TRUE(screen->start()) << screen->error().toStdString();
        iconsShown = screen->drawn();
        // Just started, plasmashell may still be busy past Hushpane's timeout (its scripts run
        // on its main thread); the test starts once it answers a script well within it.
        ASSERT_TRUE(QTest::qWaitFor(
            [this] {
                QElapsedTimer timer;
                timer.start();
                const bool answered =
                    test::PlasmaDesktopProfile::evaluate(session, QStringLiteral("print(1);")) ==
                    QStringLiteral("1");
                return answered && timer.elapsed() < PlasmaShellClient::kDefaultTimeoutMs / 4;
            },
            kWaitMs))
            << "plasmashell stays busy";
        iconsShown.save(shots->fileFor(QStringLiteral("before")));
    }

    PrivateSession session;
    test::PlasmaDesktopProfile profile;
    std::unique_ptr<PrivateDesktop> screen;
    std::unique_ptr<DesktopScreenshots> shots;
    QImage iconsShown;
    QString preferencesFile;
};

// A fresh install names no picture, and Plasma shows its own: the custom one goes up, and
// showing takes it down again to no picture at all, Plasma's own on the screen as before.
TEST_F(PlasmaDesktopEndToEnd, PlasmasOwnPictureOnADesktopThatNamesNoneComesBack) {
    const QString unsetImage = QStringLiteral(R"JS(
var all = desktops();
for (var i = 0; i < all.length; ++i) {
    all[i].currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
    all[i].writeConfig('Image', '');
}
print(all.length);
)JS");
    const QString readImage = QStringLiteral(R"JS(
var d = desktops()[0];
d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
print(d.readConfig('Image', '<none>'));
)JS");
    ASSERT_TRUE(test::PlasmaDesktopProfile::evaluate(session, unsetImage));
    // Plasma's picture is drawn once two screenshots in a row agree and the plain one is gone.
    QImage previous;
    bool drawn = false;
    const QImage own = shots->waitFor(
        [&](const QImage& shot) {
            const bool settled =
                shot == previous && shot.pixelColor(shot.width() / 2, shot.height() / 2) !=
                                        PrivateDesktop::defaultWallpaper();
            previous = shot;
            return settled;
        },
        QStringLiteral("plasmas-own"), &drawn);
    ASSERT_TRUE(drawn) << "Plasma's own picture never settled on the screen";

    const QString custom =
        PrivateDesktop::writeSolidPicture(session.home() + QStringLiteral("/custom.png"), kCustom);
    ASSERT_FALSE(custom.isEmpty());
    Hushpane hushpane(session.bus(), preferencesFile);
    hushpane.preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.controller.hide();
    ASSERT_EQ(hushpane.controller.lastError(), std::nullopt);
    shots->expectOnly(kCustom, QStringLiteral("hidden-over-plasmas-own"));
    hushpane.controller.show();
    ASSERT_EQ(hushpane.controller.lastError(), std::nullopt);
    shots->expectAsBefore(own, kCustom, QStringLiteral("shown-plasmas-own"));
    EXPECT_EQ(test::PlasmaDesktopProfile::evaluate(session, readImage), QStringLiteral("<none>"));
}

}  // namespace
}  // namespace hushpane
