// What only XFCE has, against a real desktop: xfdesktop and xfconfd in a session of the shell
// harness (scripts/lib/session.sh, part desktop=xfce), which this process runs in: a burst of
// toggles, the image style kept under the custom picture, and a wallpaper per workspace. The
// desktop controller drives the XFCE switch and workspace in-process; screenshots prove what
// xfdesktop drew. They are kept under the build directory (tests/backends/xfce/artifacts/).
// What every desktop does is the conformance suite's (tests/e2e).

#include "support/DesktopScreenCheck.h"
#include "support/DesktopScreenshots.h"
#include "support/HarnessDesktop.h"
#include "support/XfconfCommand.h"

#include "backends/plist/PlistPreferenceDomain.h"
#include "backends/posix/PosixFileBookmarks.h"
#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfceWorkspace.h"
#include "backends/xfce/XfconfClient.h"
#include "backends/xfce/XfconfPropertyWatcher.h"
#include "common/UserDefaults.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "services/WallpaperController.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::DesktopScreenCheck;
using test::DesktopScreenshots;
using test::HarnessDesktop;
using test::xfconfProperty;

constexpr int kWaitMs = 30000;
const QColor kBackground = HarnessDesktop::defaultWallpaper();
const QColor kCustom(0xc8, 0x50, 0x2d);

// One Hushpane "run": its defaults file, preferences and controller over the XFCE back-end.
struct Hushpane {
    Hushpane(const QDBusConnection& bus, const QString& preferencesFile)
        : domain(QStringLiteral("app.hushpane"), preferencesFile),
          defaults(domain),
          preferences(defaults, bookmarks),
          desktopSwitch(XfconfClient(bus), defaults),
          workspace(XfconfClient(bus)),
          controller(desktopSwitch, preferences, workspace) {}

    PlistPreferenceDomain domain;
    UserDefaults defaults;
    PosixFileBookmarks bookmarks;
    Preferences preferences;
    XfceDesktopSwitch desktopSwitch;
    XfceWorkspace workspace;
    DesktopController controller;
};

class XfceDesktopEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.isValid()) << desktop.error().toStdString();
        preferencesFile = qEnvironmentVariable("XDG_CONFIG_HOME") +
                          QStringLiteral("/hushpane/app.hushpane.plist");
        connector = QGuiApplication::primaryScreen()->name();
        background = desktop.wallpaperFile();
    }

    std::optional<QString> iconStyle() const {
        return xfconfProperty(QStringLiteral("/desktop-icons/style"));
    }

    HarnessDesktop desktop;
    DesktopScreenshots shots{desktop};
    QDBusConnection bus = QDBusConnection::sessionBus();
    QString preferencesFile;
    QString connector;
    QString background;
};

// A held shortcut with a lost key-up: 101 toggles within about a second. xfdesktop sees a few
// spaced changes instead of one per toggle, keeps running, and ends where the last toggle
// asked: hidden.
TEST_F(XfceDesktopEndToEnd, ABurstOfTogglesReachesXfdesktopAsAFewChangesAndItSurvives) {
    Hushpane hushpane(bus, preferencesFile);
    int styleChanges = 0;
    // A connection of its own, as another client of xfconfd would watch.
    const XfconfPropertyWatcher watcher(
        QDBusConnection::connectToBus(qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS"),
                                      QStringLiteral("style watcher")),
        QStringLiteral("xfce4-desktop"), QStringLiteral("/desktop-icons/style"));
    QObject::connect(&watcher, &XfconfPropertyWatcher::changed,
                     [&styleChanges] { ++styleChanges; });
    DesktopController& controller = hushpane.controller;
    QElapsedTimer burst;
    burst.start();
    for (int i = 0; i < 101; ++i) {
        if (controller.wantsDesktopHidden()) {
            controller.show();
        } else {
            controller.hide();
        }
        if (i % 10 == 9) {
            QTest::qWait(100);
        }
    }
    const qint64 burstMs = burst.elapsed();
    EXPECT_TRUE(controller.wantsDesktopHidden());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.hasPendingChange(); }, kWaitMs));
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_EQ(controller.lastError(), std::nullopt);
    EXPECT_EQ(iconStyle(), QStringLiteral("0"));
    QTest::qWait(500);  // the last change signals
    const qint64 allowed =
        hushpane.desktopSwitch.changesAtOnce() + burstMs / DesktopController::kChangeSpacingMs + 1;
    EXPECT_LE(styleChanges, allowed) << "in " << burstMs << " ms";
    EXPECT_GT(styleChanges, 0);

    shots.expectOnly(kBackground, QStringLiteral("after-burst"));

    controller.finishPendingChange();
    controller.show();
    controller.finishPendingChange();
    EXPECT_EQ(iconStyle(), QStringLiteral("2"));
    // Icons drawn again prove xfdesktop survived the burst.
    shots.expectAsBefore(desktop.drawn(), kBackground, QStringLiteral("shown-after-burst"));
}

TEST_F(XfceDesktopEndToEnd, CustomWallpaperWhileHiddenAndItsOriginalAfterARestart) {
    const QString custom = HarnessDesktop::writeSolidPicture(
        qEnvironmentVariable("HOME") + QStringLiteral("/custom.png"), kCustom);
    const QString lastImage =
        QStringLiteral("/backdrop/screen0/monitor%1/workspace0/last-image").arg(connector);
    const QString imageStyle =
        QStringLiteral("/backdrop/screen0/monitor%1/workspace0/image-style").arg(connector);
    // The user's own style, stretched (3), must survive the custom picture's zoomed (5).
    ASSERT_EQ(XfconfClient(bus).setProperty(QStringLiteral("xfce4-desktop"), imageStyle, 3),
              std::nullopt);
    QString key;
    {
        Hushpane hushpane(bus, preferencesFile);
        hushpane.preferences.setUseCustomWallpaper(true);
        hushpane.preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));
        key = WallpaperController::displayKey(hushpane.workspace.screens().constFirst());

        hushpane.controller.hide();
        EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
        EXPECT_EQ(xfconfProperty(lastImage), custom);
        shots.expectOnly(kCustom, QStringLiteral("hidden"));
        EXPECT_EQ(hushpane.preferences.savedWallpapers().keys(), QStringList{key});
    }

    // A new run while hidden: it adopts the hidden desktop and still knows the original.
    Hushpane restarted(bus, preferencesFile);
    EXPECT_TRUE(restarted.controller.isDesktopHidden());
    EXPECT_EQ(restarted.preferences.savedWallpapers().keys(), QStringList{key});
    restarted.controller.show();
    EXPECT_EQ(restarted.controller.lastError(), std::nullopt);
    EXPECT_EQ(xfconfProperty(lastImage), background);
    EXPECT_EQ(xfconfProperty(imageStyle), QStringLiteral("3"));
    EXPECT_TRUE(restarted.preferences.savedWallpapers().isEmpty());
    shots.expectAsBefore(desktop.drawn(), kBackground, QStringLiteral("after"));
}

// With a wallpaper per workspace, the custom picture covers every workspace while hidden, and
// showing from another workspace than the one hidden on gives each workspace its own back.
TEST_F(XfceDesktopEndToEnd, EachWorkspaceShowsTheCustomPictureAndGetsItsOwnBack) {
    const XfconfClient xfconf(bus);
    ASSERT_EQ(xfconf.setProperty(QStringLiteral("xfce4-desktop"),
                                 QStringLiteral("/backdrop/single-workspace-mode"), false),
              std::nullopt);
    const auto switchTo = [](int workspaceNumber) {
        QProcess xdotool;
        xdotool.start(QStringLiteral("xdotool"),
                      {QStringLiteral("set_desktop"), QString::number(workspaceNumber)});
        return xdotool.waitForFinished(kWaitMs) && xdotool.exitCode() == 0;
    };
    const auto drawn = [&](const QColor& colour, const QString& name) {
        bool ok = false;
        shots.waitFor(
            [&](const QImage& s) {
                return DesktopScreenCheck::near(s.pixel(s.width() - 5, s.height() - 5), colour);
            },
            name, &ok);
        return ok;
    };
    ASSERT_TRUE(switchTo(1));

    Hushpane hushpane(bus, preferencesFile);
    const WorkspaceScreen screen = hushpane.workspace.screens().constFirst();
    const QString custom = HarnessDesktop::writeSolidPicture(
        qEnvironmentVariable("HOME") + QStringLiteral("/custom.png"), kCustom);
    const QDeadlineTimer deadline(kWaitMs);
    while (hushpane.workspace.desktopImageUrl(screen) == QUrl::fromLocalFile(background) &&
           !deadline.hasExpired()) {
        QTest::qWait(100);  // until the window manager has switched
    }
    const std::optional<QUrl> ownOfOne = hushpane.workspace.desktopImageUrl(screen);
    ASSERT_NE(ownOfOne, QUrl::fromLocalFile(background));
    // xfdesktop 4.20 sets up a workspace's backdrop when it is first shown, and a picture set
    // before that is not drawn: the change waits until the screen has settled.
    QImage previous;
    bool settled = false;
    shots.waitFor(
        [&](const QImage& shot) {
            const bool same = shot == previous;
            previous = shot;
            return same;
        },
        QStringLiteral("workspace1-own"), &settled);
    ASSERT_TRUE(settled);

    hushpane.preferences.setUseCustomWallpaper(true);
    hushpane.preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));
    hushpane.controller.hide();
    ASSERT_TRUE(hushpane.controller.isDesktopHidden());
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    const QString monitor = QStringLiteral("/backdrop/screen0/monitor%1/").arg(connector);
    EXPECT_EQ(xfconfProperty(monitor + QStringLiteral("workspace0/last-image")), custom);
    EXPECT_EQ(xfconfProperty(monitor + QStringLiteral("workspace1/last-image")), custom);
    EXPECT_TRUE(drawn(kCustom, QStringLiteral("workspace1-hidden")));
    ASSERT_TRUE(switchTo(0));
    EXPECT_TRUE(drawn(kCustom, QStringLiteral("workspace0-hidden")));

    hushpane.controller.show();
    hushpane.controller.finishPendingChange();  // XFCE takes one change at a time
    EXPECT_EQ(hushpane.controller.lastError(), std::nullopt);
    EXPECT_EQ(xfconfProperty(monitor + QStringLiteral("workspace0/last-image")), background);
    EXPECT_EQ(xfconfProperty(monitor + QStringLiteral("workspace1/last-image")),
              ownOfOne->toLocalFile());
    EXPECT_TRUE(drawn(kBackground, QStringLiteral("workspace0-shown")));
    EXPECT_TRUE(hushpane.preferences.savedWallpapers().isEmpty());
}

}  // namespace
}  // namespace hushpane
