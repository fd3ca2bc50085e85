#include "backends/gsettings/GSettingsWorkspace.h"

#include "backends/cinnamon/CinnamonWallpaperKeys.h"
#include "backends/mate/MateWallpaperKeys.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "gsettings/InMemorySettingsStore.h"
#include "services/WallpaperController.h"

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::InMemoryPreferenceDomain;
using test::InMemorySettingsStore;

const QString kMate = QStringLiteral("org.mate.background");
const QString kCinnamon = QStringLiteral("org.cinnamon.desktop.background");
const QString kMatePicture = QStringLiteral("/usr/share/backgrounds/mine.png");
const QString kCustom = QStringLiteral("/tmp/custom.png");

class GSettingsWorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.plant(kMate, QStringLiteral("picture-filename"), kMatePicture);
        store.plant(kMate, QStringLiteral("picture-options"), QStringLiteral("centered"));
    }
    QVariant mate(const char* key) const { return store.get(kMate, QString::fromLatin1(key)); }

    InMemorySettingsStore store;
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
};

TEST_F(GSettingsWorkspaceTest, AllDisplaysAreOneAndItsPictureIsThePath) {
    GSettingsWorkspace workspace(store, defaults, mateWallpaperKeys());
    const QList<WorkspaceScreen> screens = workspace.screens();
    ASSERT_EQ(screens.size(), 1);
    EXPECT_EQ(WallpaperController::displayKey(screens.constFirst()), QStringLiteral("1"));
    EXPECT_EQ(workspace.desktopImageUrl(screens.constFirst()), QUrl::fromLocalFile(kMatePicture));
    const std::optional<QVariantMap> options = workspace.desktopImageOptions(screens.constFirst());
    ASSERT_TRUE(options);
    EXPECT_EQ(options->value(QString::fromLatin1(kDesktopImageScalingKey)).toUInt(), 2u);
}

// The user's every key comes back, also through a new instance (Hushpane killed meanwhile),
// even though the controller hands back the custom picture's options.
TEST_F(GSettingsWorkspaceTest, TheUsersOwnKeysComeBackExactlyAfterARestart) {
    const WorkspaceScreen all =
        GSettingsWorkspace(store, defaults, mateWallpaperKeys()).screens()[0];
    {
        GSettingsWorkspace workspace(store, defaults, mateWallpaperKeys());
        ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(kCustom), all,
                                               WallpaperController::fillOptions()),
                  std::nullopt);
        EXPECT_EQ(mate("picture-filename"), kCustom);
        EXPECT_EQ(mate("picture-options"), QStringLiteral("zoom"));
        // A second custom picture does not replace what was kept.
        ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/b.png")),
                                               all, WallpaperController::fillOptions()),
                  std::nullopt);
    }
    GSettingsWorkspace restarted(store, defaults, mateWallpaperKeys());
    ASSERT_EQ(restarted.setDesktopImageUrl(QUrl::fromLocalFile(kMatePicture), all,
                                           *restarted.desktopImageOptions(all)),
              std::nullopt);
    EXPECT_EQ(mate("picture-filename"), kMatePicture);
    EXPECT_EQ(mate("picture-options"), QStringLiteral("centered"));
    EXPECT_FALSE(defaults.objectForKey(QStringLiteral("mateUserWallpaper")));
}

TEST_F(GSettingsWorkspaceTest, AValueOfAnUnexpectedTypeIsLeftAloneAndReported) {
    store.plant(kMate, QStringLiteral("picture-options"), 3);
    GSettingsWorkspace workspace(store, defaults, mateWallpaperKeys());
    const std::optional<QString> error = workspace.setDesktopImageUrl(
        QUrl::fromLocalFile(kCustom), workspace.screens()[0], WallpaperController::fillOptions());
    ASSERT_TRUE(error);
    EXPECT_TRUE(
        error->contains(QStringLiteral("picture-options holds a value of an unexpected type")))
        << error->toStdString();
    EXPECT_TRUE(store.writes.isEmpty());
    EXPECT_EQ(mate("picture-filename"), kMatePicture);
}

TEST_F(GSettingsWorkspaceTest, FailuresChangeNothingThatCannotBeGivenBack) {
    GSettingsWorkspace workspace(store, defaults, mateWallpaperKeys());
    const WorkspaceScreen all = workspace.screens()[0];
    EXPECT_TRUE(
        workspace.setDesktopImageUrl(QUrl(QStringLiteral("https://example.org/a.png")), all, {}));
    store.values.remove(kMate + QStringLiteral(" picture-options"));
    EXPECT_TRUE(workspace.setDesktopImageUrl(QUrl::fromLocalFile(kCustom), all, {}));
    EXPECT_TRUE(store.writes.isEmpty());
    EXPECT_FALSE(defaults.objectForKey(QStringLiteral("mateUserWallpaper")));
}

TEST_F(GSettingsWorkspaceTest, CinnamonKeepsAFileUriAndItsOtherKeys) {
    const QString own = QStringLiteral("file:///usr/share/backgrounds/linuxmint/default%20one.jpg");
    store.plant(kCinnamon, QStringLiteral("picture-uri"), own);
    store.plant(kCinnamon, QStringLiteral("picture-options"), QStringLiteral("spanned"));
    GSettingsWorkspace workspace(store, defaults, cinnamonWallpaperKeys());
    const WorkspaceScreen all = workspace.screens()[0];
    EXPECT_EQ(
        workspace.desktopImageUrl(all),
        QUrl::fromLocalFile(QStringLiteral("/usr/share/backgrounds/linuxmint/default one.jpg")));

    ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(kCustom), all,
                                           WallpaperController::fillOptions()),
              std::nullopt);
    EXPECT_EQ(store.get(kCinnamon, QStringLiteral("picture-uri")),
              QStringLiteral("file:///tmp/custom.png"));
    ASSERT_EQ(workspace.setDesktopImageUrl(QUrl(own), all, {}), std::nullopt);
    EXPECT_EQ(store.get(kCinnamon, QStringLiteral("picture-uri")), own);
    EXPECT_EQ(store.get(kCinnamon, QStringLiteral("picture-options")), QStringLiteral("spanned"));
}

TEST(GSettingsPictureOptions, EachScalingHasItsNickAndBack) {
    EXPECT_EQ(GSettingsWorkspace::pictureOptionsFor(WallpaperController::fillOptions()),
              QStringLiteral("zoom"));
    for (const QString& nick :
         {QStringLiteral("wallpaper"), QStringLiteral("centered"), QStringLiteral("scaled"),
          QStringLiteral("stretched"), QStringLiteral("zoom"), QStringLiteral("spanned"),
          QStringLiteral("none")}) {
        EXPECT_EQ(GSettingsWorkspace::pictureOptionsFor(
                      GSettingsWorkspace::optionsForPictureOptions(nick)),
                  nick);
    }
    EXPECT_EQ(
        GSettingsWorkspace::pictureOptionsFor({{QString::fromLatin1(kDesktopImageScalingKey), 1u}}),
        QStringLiteral("stretched"));
}

}  // namespace
}  // namespace hushpane
