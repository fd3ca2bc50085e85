#include "backends/gsettings/GSettingsWorkspace.h"

#include "backends/cinnamon/CinnamonWallpaperKeys.h"
#include "backends/mate/MateWallpaperKeys.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "gsettings/InMemorySettingsStore.h"
#include "services/Preferences.h"
#include "services/WallpaperController.h"

#include <QImage>
#include <QTemporaryDir>

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

// The whole wallpaper comes back through the controller, also after a restart: the picture or
// the desktop's "no picture" (a plain colour, stored as an empty picture), and how it is drawn.
struct WallpaperCase {
    const char* name;
    GSettingsWorkspace::Keys (*keys)();
    QString schema;
    QString pictureKey;
    QString own;
};

void PrintTo(const WallpaperCase& param, std::ostream* out) {
    *out << param.name;
}

class GSettingsWallpaperTest : public GSettingsWorkspaceTest,
                               public ::testing::WithParamInterface<WallpaperCase> {};

TEST_P(GSettingsWallpaperTest, TheUsersOwnKeysComeBackExactlyAfterARestart) {
    const WallpaperCase& desktop = GetParam();
    const QString& own = desktop.own;
    store.plant(desktop.schema, desktop.pictureKey, own);
    store.plant(desktop.schema, QStringLiteral("picture-options"), QStringLiteral("spanned"));
    QTemporaryDir pictures;
    const QString custom = pictures.filePath(QStringLiteral("custom.png"));
    ASSERT_TRUE(QImage(4, 3, QImage::Format_RGB32).save(custom, "PNG"));
    test::InMemoryFileBookmarks bookmarks;
    {
        Preferences preferences(defaults, bookmarks);
        preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));
        GSettingsWorkspace workspace(store, defaults, desktop.keys());
        WallpaperController wallpaper(preferences, workspace);
        ASSERT_EQ(wallpaper.applyCustom(), std::nullopt);
        EXPECT_TRUE(store.get(desktop.schema, desktop.pictureKey).toString().contains(custom));
        EXPECT_EQ(store.get(desktop.schema, QStringLiteral("picture-options")),
                  QStringLiteral("zoom"));
    }
    Preferences preferences(defaults, bookmarks);
    GSettingsWorkspace restarted(store, defaults, desktop.keys());
    WallpaperController wallpaper(preferences, restarted);
    ASSERT_EQ(wallpaper.restoreOriginals(), std::nullopt);
    EXPECT_EQ(store.get(desktop.schema, desktop.pictureKey), own);
    EXPECT_EQ(store.get(desktop.schema, QStringLiteral("picture-options")),
              QStringLiteral("spanned"));
    EXPECT_TRUE(preferences.savedWallpapers().isEmpty());
}

const QString kPicture = QStringLiteral("/usr/share/backgrounds/mine.png");

INSTANTIATE_TEST_SUITE_P(
    Desktops, GSettingsWallpaperTest,
    ::testing::Values(WallpaperCase{"MateNoPicture", &mateWallpaperKeys, kMate,
                                    QStringLiteral("picture-filename"), QString()},
                      WallpaperCase{"MatePicture", &mateWallpaperKeys, kMate,
                                    QStringLiteral("picture-filename"), kPicture},
                      WallpaperCase{"CinnamonNoPicture", &cinnamonWallpaperKeys, kCinnamon,
                                    QStringLiteral("picture-uri"), QString()},
                      WallpaperCase{"CinnamonPicture", &cinnamonWallpaperKeys, kCinnamon,
                                    QStringLiteral("picture-uri"),
                                    QStringLiteral("file://") + kPicture}),
    [](const auto& param) { return std::string(param.param.name); });

// What an earlier version kept while hidden comes back when its picture is set back.
TEST_F(GSettingsWorkspaceTest, KeysKeptByAnEarlierVersionComeBack) {
    defaults.setObject(
        QStringLiteral("mateUserWallpaper"),
        QVariantMap{{QStringLiteral("picture-filename"), kMatePicture},
                    {QStringLiteral("picture-options"), QStringLiteral("wallpaper")}});
    store.plant(kMate, QStringLiteral("picture-filename"), kCustom);
    GSettingsWorkspace workspace(store, defaults, mateWallpaperKeys());
    ASSERT_EQ(
        workspace.setDesktopImageUrl(QUrl::fromLocalFile(kMatePicture), workspace.screens()[0], {}),
        std::nullopt);
    EXPECT_EQ(mate("picture-filename"), kMatePicture);
    EXPECT_EQ(mate("picture-options"), QStringLiteral("wallpaper"));
    EXPECT_FALSE(defaults.objectForKey(QStringLiteral("mateUserWallpaper")));
}

// A wallpaper that cannot be read whole has no state, so nothing replaces it.
TEST_F(GSettingsWorkspaceTest, AWallpaperThatCannotBeReadWholeHasNoState) {
    GSettingsWorkspace workspace(store, defaults, mateWallpaperKeys());
    const WorkspaceScreen all = workspace.screens()[0];
    EXPECT_TRUE(
        workspace.setDesktopImageUrl(QUrl(QStringLiteral("https://example.org/a.png")), all, {}));
    EXPECT_TRUE(store.writes.isEmpty());
    EXPECT_TRUE(workspace.wallpaperState(all));
    store.plant(kMate, QStringLiteral("picture-options"), 3);
    EXPECT_EQ(workspace.wallpaperState(all), std::nullopt);
    store.values.remove(kMate + QStringLiteral(" picture-options"));
    EXPECT_EQ(workspace.wallpaperState(all), std::nullopt);
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
