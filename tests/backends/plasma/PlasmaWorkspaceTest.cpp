#include "PlasmaShellModel.h"

#include "backends/plasma/PlasmaWorkspace.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "services/Preferences.h"
#include "services/WallpaperController.h"

#include <QImage>
#include <QJsonArray>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::InMemoryFileBookmarks;
using test::InMemoryPreferenceDomain;
using test::PlasmaShellModel;

const QString kImageGroup = QStringLiteral("Wallpaper/org.kde.image/General");

QJsonObject picture(const QString& image, int fillMode = 2) {
    return {{QStringLiteral("Image"), image}, {QStringLiteral("FillMode"), fillMode}};
}

// Screens 0 and 1 of activity A with pictures of their own, screen 0 of activity B.
QJsonObject wallpapers() {
    const QString folder = QStringLiteral("org.kde.plasma.folder");
    return {{QStringLiteral("activity"), QStringLiteral("A")},
            {QStringLiteral("desktops"),
             QJsonArray{PlasmaShellModel::desktop(
                            7, 1, QStringLiteral("A"), folder,
                            {{kImageGroup, picture(QStringLiteral("file:///pics/right.png"), 3)}}),
                        PlasmaShellModel::desktop(
                            5, 0, QStringLiteral("A"), folder,
                            {{kImageGroup, picture(QStringLiteral("/pics/left.jpg"))}}),
                        PlasmaShellModel::desktop(
                            6, 0, QStringLiteral("B"), folder,
                            {{kImageGroup, picture(QStringLiteral("file:///pics/b.png"))}})}}};
}

TEST(PlasmaWorkspaceTest, EachScreenOfTheActivityHasItsOwnPicture) {
    PlasmaShellModel shell(wallpapers());
    PlasmaWorkspace workspace(shell);
    const QList<WorkspaceScreen> screens = workspace.screens();
    ASSERT_EQ(screens.size(), 2);
    EXPECT_EQ(WallpaperController::displayKey(screens[0]), QStringLiteral("2"));
    EXPECT_EQ(WallpaperController::displayKey(screens[1]), QStringLiteral("1"));
    EXPECT_EQ(workspace.desktopImageUrl(screens[0]),
              QUrl::fromLocalFile(QStringLiteral("/pics/right.png")));
    EXPECT_EQ(workspace.desktopImageUrl(screens[1]),
              QUrl::fromLocalFile(QStringLiteral("/pics/left.jpg")));
    // Tiled survives a get and set.
    const QVariantMap tiled = *workspace.desktopImageOptions(screens[0]);
    EXPECT_EQ(PlasmaWorkspace::fillModeFor(tiled), 3);

    // A path no script could hold literally arrives as it is.
    const QString odd = QStringLiteral("/pics/it's \"odd\"\\\nname\u2028.png");
    ASSERT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(odd), screens[1],
                                           WallpaperController::fillOptions()),
              std::nullopt);
    EXPECT_EQ(workspace.desktopImageUrl(screens[1]), QUrl::fromLocalFile(odd));
    EXPECT_EQ(shell.group(5, kImageGroup).value(QStringLiteral("FillMode")), 2);
    EXPECT_EQ(shell.group(6, kImageGroup), picture(QStringLiteral("file:///pics/b.png")));
    EXPECT_EQ(shell.group(7, kImageGroup), picture(QStringLiteral("file:///pics/right.png"), 3));
}

TEST(PlasmaWorkspaceTest, WhatCouldNotBeGivenBackIsLeftAlone) {
    QJsonObject state = wallpapers();
    QJsonArray desktops = state[QStringLiteral("desktops")].toArray();
    QJsonObject slideShow = desktops[0].toObject();
    slideShow[QStringLiteral("wallpaperPlugin")] = QStringLiteral("org.kde.slideshow");
    desktops[0] = slideShow;
    QJsonObject unset = desktops[1].toObject();
    unset[QStringLiteral("config")] = QJsonObject();
    desktops[1] = unset;
    state[QStringLiteral("desktops")] = desktops;
    PlasmaShellModel shell(state);
    PlasmaWorkspace workspace(shell);
    const QList<WorkspaceScreen> screens = workspace.screens();
    ASSERT_EQ(screens.size(), 2);
    const QUrl custom = QUrl::fromLocalFile(QStringLiteral("/pics/custom.png"));
    for (const WorkspaceScreen& screen : screens) {
        EXPECT_EQ(workspace.desktopImageUrl(screen), std::nullopt);
        const std::optional<QString> error =
            workspace.setDesktopImageUrl(custom, screen, WallpaperController::fillOptions());
        ASSERT_TRUE(error);
        EXPECT_TRUE(error->contains(QStringLiteral("left alone"))) << error->toStdString();
    }
    EXPECT_EQ(shell.state(), state);

    shell.cannedReplies = {{QStringLiteral("{\"desktops\": [{\"screen\": \"0\"}]}"), std::nullopt}};
    EXPECT_TRUE(workspace.screens().isEmpty());
}

// Through the controller: the user's pictures come back, except one the user chose in Plasma's
// settings while the custom picture was up.
TEST(PlasmaWorkspaceTest, TheControllerRestoresEachScreenAndKeepsAPictureChosenMeanwhile) {
    QTemporaryDir dir;
    const QString custom = dir.filePath(QStringLiteral("custom.png"));
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(Qt::red);
    ASSERT_TRUE(image.save(custom));
    PlasmaShellModel shell(wallpapers());
    PlasmaWorkspace workspace(shell);
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
    InMemoryFileBookmarks bookmarks;
    Preferences preferences(defaults, bookmarks);
    preferences.setCustomWallpaperURL(QUrl::fromLocalFile(custom));
    WallpaperController controller(preferences, workspace);

    ASSERT_EQ(controller.applyCustom(), std::nullopt);
    const QString customUrl = QUrl::fromLocalFile(custom).toString();
    EXPECT_EQ(shell.group(5, kImageGroup).value(QStringLiteral("Image")), customUrl);
    EXPECT_EQ(shell.group(7, kImageGroup).value(QStringLiteral("Image")), customUrl);
    shell.setGroup(7, kImageGroup, picture(QStringLiteral("file:///pics/new.png"), 1));

    ASSERT_EQ(controller.restoreOriginals(), std::nullopt);
    EXPECT_EQ(shell.group(5, kImageGroup), picture(QStringLiteral("file:///pics/left.jpg")));
    EXPECT_EQ(shell.group(7, kImageGroup), picture(QStringLiteral("file:///pics/new.png"), 1));
    EXPECT_EQ(shell.group(6, kImageGroup), picture(QStringLiteral("file:///pics/b.png")));
}

}  // namespace
}  // namespace hushpane
