#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "support/LogCapture.h"

#include <QSignalSpy>

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

TEST_F(DesktopControllerTest, FailuresNeverStopTheStateFromFollowingTheRequest) {
    DesktopController controller(desktop, prefs, workspace);
    QSignalSpy errors(&controller, &DesktopController::lastErrorChanged);
    desktop.failure = kRestartFailure;

    controller.hide();
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_EQ(controller.lastError(), kRestartFailure);

    // A good hide with the custom wallpaper off leaves the earlier text in place.
    desktop.failure.reset();
    controller.hide();
    EXPECT_EQ(controller.lastError(), kRestartFailure);
    EXPECT_EQ(errors.count(), 1);

    // show() always ends with the restore's result, here: nothing to restore, no error.
    desktop.failure = kRestartFailure;
    controller.show();
    EXPECT_FALSE(controller.isDesktopHidden());
    EXPECT_EQ(controller.lastError(), std::nullopt);
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
