// Hushpane's Plasma back-end against the real plasmashell, in a session of the shell harness
// (scripts/lib/session.sh, part desktop=plasma) that this process runs in: its folder view
// draws the icons of a throw-away Desktop folder. Screenshots prove what it drew; they are kept
// under the build directory.

#include "backends/plasma/PlasmaDesktopSwitch.h"
#include "backends/plasma/PlasmaShellClient.h"
#include "backends/plasma/PlasmaWorkspace.h"
#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "common/UserDefaults.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "support/DesktopScreenshots.h"
#include "support/HarnessDesktop.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace hushpane {
namespace {

using test::DesktopScreenshots;
using test::HarnessDesktop;

constexpr int kWaitMs = 30000;
const QColor kCustom(0xc8, 0x50, 0x2d);

// Runs a script in the session's plasmashell; its output, or nothing.
std::optional<QString> evaluate(const QString& script) {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.plasmashell"), QStringLiteral("/PlasmaShell"),
        QStringLiteral("org.kde.PlasmaShell"), QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return std::nullopt;
    }
    return reply.arguments().value(0).toString();
}

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
        ASSERT_TRUE(desktop.isValid()) << desktop.error().toStdString();
        preferencesFile = qEnvironmentVariable("XDG_CONFIG_HOME") +
                          QStringLiteral("/hushpane/app.hushpane.plist");
        // Just started, plasmashell may still be busy past Hushpane's timeout (its scripts run
        // on its main thread); the test starts once it answers a script well within it.
        ASSERT_TRUE(QTest::qWaitFor(
            [] {
                QElapsedTimer timer;
                timer.start();
                const bool answered = evaluate(QStringLiteral("print(1);")) == QStringLiteral("1");
                return answered && timer.elapsed() < PlasmaShellClient::kDefaultTimeoutMs / 4;
            },
            kWaitMs))
            << "plasmashell stays busy";
    }

    HarnessDesktop desktop;
    DesktopScreenshots shots{desktop};
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
    ASSERT_TRUE(evaluate(unsetImage));
    // Plasma's picture is drawn once two screenshots in a row agree and the plain one is gone.
    QImage previous;
    bool drawn = false;
    const QImage own = shots.waitFor(
        [&](const QImage& shot) {
            const bool settled =
                shot == previous && shot.pixelColor(shot.width() / 2, shot.height() / 2) !=
                                        HarnessDesktop::defaultWallpaper();
            previous = shot;
            return settled;
        },
        QStringLiteral("plasmas-own"), &drawn);
    ASSERT_TRUE(drawn) << "Plasma's own picture never settled on the screen";

    const QString custom = HarnessDesktop::writeSolidPicture(
        qEnvironmentVariable("HOME") + QStringLiteral("/custom.png"), kCustom);
    ASSERT_FALSE(custom.isEmpty());
    Hushpane hushpane(QDBusConnection::sessionBus(), preferencesFile);
    hushpane.preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));
    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.controller.hide();
    ASSERT_EQ(hushpane.controller.lastError(), std::nullopt);
    shots.expectOnly(kCustom, QStringLiteral("hidden-over-plasmas-own"));
    hushpane.controller.show();
    ASSERT_EQ(hushpane.controller.lastError(), std::nullopt);
    shots.expectAsBefore(own, kCustom, QStringLiteral("shown-plasmas-own"));
    // Plasma 5 drops a key written empty, Plasma 6 keeps it empty: both mean its own picture.
    const std::optional<QString> image = evaluate(readImage);
    EXPECT_TRUE(image == QStringLiteral("<none>") || image == QString())
        << image.value_or(QStringLiteral("nothing")).toStdString();
}

}  // namespace
}  // namespace hushpane
