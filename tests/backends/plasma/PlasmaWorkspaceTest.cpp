#include "PlasmaShellModel.h"

#include "backends/plasma/PlasmaWorkspace.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "services/Preferences.h"
#include "services/WallpaperController.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QTemporaryDir>

#include <QtGlobal>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::InMemoryFileBookmarks;
using test::InMemoryPreferenceDomain;
using test::PlasmaShellModel;

const QString kImageGroup = QStringLiteral("Wallpaper/org.kde.image/General");

// XDG data and config folders of the test's own, for the look-and-feel and wallpaper packages
// Plasma's default picture is found in; the machine's are out of sight meanwhile.
class PlasmaDataFolders {
public:
    PlasmaDataFolders() {
        for (const char* name : kNames) {
            saved_.append(qgetenv(name));
            qputenv(name, dir_.filePath(QString::fromLatin1(name)).toUtf8());
        }
    }
    ~PlasmaDataFolders() {
        for (qsizetype i = 0; i < saved_.size(); ++i) {
            qputenv(kNames[i], saved_[i]);
        }
    }
    PlasmaDataFolders(const PlasmaDataFolders&) = delete;
    PlasmaDataFolders& operator=(const PlasmaDataFolders&) = delete;

    // Writes `text` to `file` under the data (or config) folders and returns its folder.
    QString write(const QString& file, const QByteArray& text, bool config = false) const {
        const QString path =
            dir_.filePath(QLatin1String(config ? "XDG_CONFIG_HOME/" : "XDG_DATA_HOME/") + file);
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(text) == text.size());
        return QFileInfo(path).path();
    }
    QString makeFolder(const QString& folder) const {
        const QString path = dir_.filePath(QStringLiteral("XDG_DATA_HOME/") + folder);
        QDir().mkpath(path);
        return path;
    }

private:
    static constexpr const char* kNames[] = {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME",
                                             "XDG_CONFIG_DIRS"};
    QTemporaryDir dir_;
    QList<QByteArray> saved_;
};

// Hushpane's preferences with a small custom picture chosen, and its wallpaper controller.
struct WithCustomPicture {
    explicit WithCustomPicture(Workspace& workspace)
        : preferences(defaults, bookmarks), controller(preferences, workspace) {
        QImage image(4, 4, QImage::Format_RGB32);
        image.fill(Qt::red);
        pictureWritten = image.save(path);
        preferences.setCustomWallpaperURL(QUrl::fromLocalFile(path));
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("custom.png"));
    bool pictureWritten = false;
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
    InMemoryFileBookmarks bookmarks;
    Preferences preferences;
    WallpaperController controller;
};

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
    // No look-and-feel package, so Plasma's own picture for an unset desktop is not known.
    const PlasmaDataFolders folders;
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
    PlasmaShellModel shell(wallpapers());
    PlasmaWorkspace workspace(shell);
    WithCustomPicture hushpane(workspace);
    ASSERT_TRUE(hushpane.pictureWritten);
    WallpaperController& controller = hushpane.controller;

    ASSERT_EQ(controller.applyCustom(), std::nullopt);
    const QString customUrl = QUrl::fromLocalFile(hushpane.path).toString();
    EXPECT_EQ(shell.group(5, kImageGroup).value(QStringLiteral("Image")), customUrl);
    EXPECT_EQ(shell.group(7, kImageGroup).value(QStringLiteral("Image")), customUrl);
    shell.setGroup(7, kImageGroup, picture(QStringLiteral("file:///pics/new.png"), 1));

    ASSERT_EQ(controller.restoreOriginals(), std::nullopt);
    EXPECT_EQ(shell.group(5, kImageGroup), picture(QStringLiteral("file:///pics/left.jpg")));
    EXPECT_EQ(shell.group(7, kImageGroup), picture(QStringLiteral("file:///pics/new.png"), 1));
    EXPECT_EQ(shell.group(6, kImageGroup), picture(QStringLiteral("file:///pics/b.png")));
}

// A desktop naming no picture shows the look-and-feel's; that is what is saved, and what goes
// back is no picture at all, as before.
TEST(PlasmaWorkspaceTest, PlasmasOwnPictureOnAnUnsetDesktopGoesBackAsNoPicture) {
    const PlasmaDataFolders folders;
    folders.write(QStringLiteral("kdeglobals"), "[KDE]\nLookAndFeelPackage=org.example.dusk\n",
                  true);
    folders.write(QStringLiteral("plasma/look-and-feel/org.example.dusk/contents/defaults"),
                  "[Wallpaper]\nImage=Dusk\n");
    const QString dusk = folders.makeFolder(QStringLiteral("wallpapers/Dusk"));
    QJsonObject state = wallpapers();
    QJsonArray desktops = state[QStringLiteral("desktops")].toArray();
    QJsonObject unset = desktops[1].toObject();
    unset[QStringLiteral("config")] =
        QJsonObject{{kImageGroup, QJsonObject{{QStringLiteral("FillMode"), 1}}}};
    desktops[1] = unset;
    state[QStringLiteral("desktops")] = desktops;
    PlasmaShellModel shell(state);
    PlasmaWorkspace workspace(shell);
    ASSERT_EQ(workspace.screens().size(), 2);
    EXPECT_EQ(workspace.desktopImageUrl(workspace.screens()[1]), QUrl::fromLocalFile(dusk));

    WithCustomPicture hushpane(workspace);
    ASSERT_TRUE(hushpane.pictureWritten);
    WallpaperController& controller = hushpane.controller;
    ASSERT_EQ(controller.applyCustom(), std::nullopt);
    EXPECT_EQ(shell.group(5, kImageGroup).value(QStringLiteral("Image")),
              QUrl::fromLocalFile(hushpane.path).toString());

    ASSERT_EQ(controller.restoreOriginals(), std::nullopt);
    EXPECT_EQ(shell.group(5, kImageGroup), (QJsonObject{{QStringLiteral("FillMode"), 1}}));
    EXPECT_EQ(shell.group(7, kImageGroup), picture(QStringLiteral("file:///pics/right.png"), 3));
}

}  // namespace
}  // namespace hushpane
