#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "services/WallpaperController.h"
#include "services/WallpaperPicture.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace hushpane;

namespace {

QUrl file(const char* path) {
    return QUrl::fromLocalFile(QString::fromLatin1(path));
}

class WallpaperTest : public ::testing::Test {
protected:
    WallpaperTest() {
        QImage(8, 6, QImage::Format_RGB32).save(calm, "PNG");
        workspace.files.insert(calm);
        prefs.setCustomWallpaperURL(QUrl::fromLocalFile(calm));
    }
    // display key -> the path of the picture saved as that display's own
    Preferences::WallpaperMap saved() const {
        Preferences::WallpaperMap paths;
        const QVariantMap states = prefs.savedWallpapers();
        for (auto it = states.cbegin(); it != states.cend(); ++it) {
            paths.insert(it.key(), original(it.key()).value(QStringLiteral("path")).toString());
        }
        return paths;
    }
    QVariantMap original(const QString& key) const {
        return prefs.savedWallpapers()
            .value(key)
            .toMap()
            .value(QStringLiteral("original"))
            .toMap()
            .value(QStringLiteral("picture"))
            .toMap();
    }

    QTemporaryDir pictures;
    const QString calm = pictures.filePath(QStringLiteral("calm.png"));
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    test::InMemoryWorkspace workspace;
    WallpaperController wallpaper{prefs, workspace};
};

}  // namespace

TEST_F(WallpaperTest, HideAndShowGiveEachDisplayItsOwnPictureBack) {
    workspace.addDisplay(QStringLiteral("left"), 1, file("/pics/left.jpg"));
    workspace.addDisplay(QStringLiteral("right"), 2, file("/pics/right.jpg"));

    EXPECT_EQ(wallpaper.applyCustom(), std::nullopt);
    EXPECT_EQ(saved(), (Preferences::WallpaperMap{
                           {QStringLiteral("1"), QStringLiteral("/pics/left.jpg")},
                           {QStringLiteral("2"), QStringLiteral("/pics/right.jpg")}}));
    EXPECT_EQ(workspace.display(QStringLiteral("left")).image, QUrl::fromLocalFile(calm));
    EXPECT_EQ(workspace.setCalls.last().options, WallpaperController::fillOptions());
    EXPECT_EQ(
        WallpaperController::fillOptions().value(QString::fromLatin1(kDesktopImageScalingKey)),
        QVariant(3u));

    // A second apply (new picture, display change) never overwrites what was saved.
    EXPECT_EQ(wallpaper.applyCustom(), std::nullopt);
    EXPECT_EQ(saved().value(QStringLiteral("1")), QStringLiteral("/pics/left.jpg"));

    // A display whose options could not be read keeps the ones in force.
    EXPECT_EQ(wallpaper.restoreOriginals(), std::nullopt);
    EXPECT_TRUE(saved().isEmpty());
    EXPECT_EQ(workspace.display(QStringLiteral("left")).image, file("/pics/left.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("left")).options,
              WallpaperController::fillOptions());
}

TEST_F(WallpaperTest, EntriesOfDetachedAndFailedDisplaysStayForALaterRestore) {
    workspace.addDisplay(QStringLiteral("main"), 1, file("/pics/main.jpg"));
    workspace.addDisplay(QStringLiteral("tv"), 7, file("/pics/tv.jpg"));
    ASSERT_EQ(wallpaper.applyCustom(), std::nullopt);

    workspace.removeDisplay(QStringLiteral("tv"));
    EXPECT_EQ(wallpaper.restoreOriginals(), std::nullopt);
    EXPECT_EQ(saved(),
              (Preferences::WallpaperMap{{QStringLiteral("7"), QStringLiteral("/pics/tv.jpg")}}));

    auto& tv = workspace.addDisplay(QStringLiteral("tv"), 7, QUrl::fromLocalFile(calm));
    tv.options = WallpaperController::fillOptions();
    tv.setError = QStringLiteral("The display is asleep.");
    EXPECT_EQ(wallpaper.restoreOriginals(),
              QStringLiteral("Couldn't restore the wallpaper: The display is asleep."));
    EXPECT_EQ(saved().size(), 1);

    workspace.display(QStringLiteral("tv")).setError.clear();
    EXPECT_EQ(wallpaper.restoreOriginals(), std::nullopt);
    EXPECT_TRUE(saved().isEmpty());
    EXPECT_EQ(workspace.display(QStringLiteral("tv")).image, file("/pics/tv.jpg"));
}

// What cannot be given back is not replaced: a display whose wallpaper cannot be read keeps it
// and says so, and one that appears while hidden is covered only once its own is stored.
TEST_F(WallpaperTest, ApplySavesBeforeSettingAndLeavesUnreadableDisplaysAlone) {
    workspace.addDisplay(QStringLiteral("a"), 1, file("/pics/a.jpg")).setError =
        QStringLiteral("first");
    workspace.addDisplay(QStringLiteral("b"), 2, file("/pics/b.jpg")).setError =
        QStringLiteral("second");
    workspace.addDisplay(QStringLiteral("c"), 3, std::nullopt);  // picture can't be read
    EXPECT_EQ(wallpaper.applyCustom(), QStringLiteral("Couldn't set the wallpaper: second"));
    EXPECT_EQ(saved(),
              (Preferences::WallpaperMap{{QStringLiteral("1"), QStringLiteral("/pics/a.jpg")},
                                         {QStringLiteral("2"), QStringLiteral("/pics/b.jpg")}}));
    EXPECT_EQ(workspace.display(QStringLiteral("c")).image, std::nullopt);
    EXPECT_EQ(workspace.setCalls.size(), 2);

    workspace.display(QStringLiteral("a")).setError.clear();
    workspace.display(QStringLiteral("b")).setError.clear();
    EXPECT_EQ(wallpaper.applyCustom(),
              QStringLiteral("Couldn't read the wallpaper of display 3, so it keeps it."));
    EXPECT_EQ(workspace.display(QStringLiteral("c")).image, std::nullopt);

    // Attached while hidden, but its wallpaper cannot be stored: it keeps it too.
    workspace.removeDisplay(QStringLiteral("c"));
    workspace.addDisplay(QStringLiteral("new"), 5, file("/pics/new.jpg"));
    domain.failSynchronize = true;
    const std::optional<QString> refused = wallpaper.applyCustom();
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->startsWith(QStringLiteral(
        "Couldn't store your own wallpaper to give it back later, so nothing was changed: ")))
        << refused->toStdString();
    EXPECT_EQ(workspace.display(QStringLiteral("new")).image, file("/pics/new.jpg"));
    EXPECT_FALSE(prefs.savedWallpapers().contains(QStringLiteral("5")));
    domain.failSynchronize = false;
    EXPECT_EQ(wallpaper.applyCustom(), std::nullopt);
    EXPECT_EQ(workspace.display(QStringLiteral("new")).image, QUrl::fromLocalFile(calm));
    EXPECT_EQ(wallpaper.restoreOriginals(), std::nullopt);
    EXPECT_EQ(workspace.display(QStringLiteral("new")).image, file("/pics/new.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("a")).image, file("/pics/a.jpg"));
}

TEST_F(WallpaperTest, DisplaysWithoutANumberShareTheKeyZero) {
    workspace.addDisplay(QStringLiteral("x"), std::nullopt, file("/pics/x.jpg"));
    workspace.addDisplay(QStringLiteral("y"), std::nullopt, file("/pics/y.jpg"));
    workspace.display(QStringLiteral("y"))
        .screen.deviceDescription.insert(QStringLiteral("NSScreenNumber"),
                                         QStringLiteral("not a number"));
    EXPECT_EQ(WallpaperController::displayKey(workspace.screens()[1]), QStringLiteral("0"));
    ASSERT_EQ(wallpaper.applyCustom(), std::nullopt);
    EXPECT_EQ(saved(),
              (Preferences::WallpaperMap{{QStringLiteral("0"), QStringLiteral("/pics/x.jpg")}}));
}

TEST_F(WallpaperTest, NothingToDoWithoutAPictureOrWithoutSavedEntries) {
    workspace.addDisplay(QStringLiteral("a"), 1, file("/pics/a.jpg"));
    QSignalSpy changed(&prefs, &Preferences::originalWallpapersChanged);

    const int writesBefore = domain.synchronizeCount;
    EXPECT_EQ(wallpaper.restoreOriginals(), std::nullopt);
    EXPECT_EQ(domain.synchronizeCount, writesBefore);  // an empty map is not even rewritten

    workspace.files.clear();
    EXPECT_EQ(wallpaper.applyCustom(),
              QStringLiteral("The custom wallpaper couldn't be found at %1.").arg(calm));
    EXPECT_TRUE(workspace.setCalls.isEmpty());

    prefs.setCustomWallpaperURL(std::nullopt);
    EXPECT_EQ(wallpaper.applyCustom(), std::nullopt);
    EXPECT_TRUE(workspace.setCalls.isEmpty());
    EXPECT_EQ(changed.count(), 0);

    // No displays at all: the unchanged map is still persisted.
    prefs.setCustomWallpaperURL(QUrl::fromLocalFile(calm));
    workspace.files.insert(calm);
    workspace.removeDisplay(QStringLiteral("a"));
    const int before = domain.synchronizeCount;
    EXPECT_EQ(wallpaper.applyCustom(), std::nullopt);
    EXPECT_EQ(domain.synchronizeCount, before + 1);
    EXPECT_EQ(changed.count(), 0);
}

TEST_F(WallpaperTest, TheDesktopControllerFollowsSettingsAndDisplayChanges) {
    test::InMemoryDesktopSwitch desktop;
    workspace.addDisplay(QStringLiteral("main"), 1, file("/pics/main.jpg"));
    DesktopController controller(desktop, prefs, workspace);

    controller.wallpaperSettingsChanged();  // shown: nothing happens
    prefs.setUseCustomWallpaper(true);
    controller.wallpaperSettingsChanged();
    EXPECT_TRUE(workspace.setCalls.isEmpty());

    controller.hide();
    EXPECT_EQ(workspace.display(QStringLiteral("main")).image, QUrl::fromLocalFile(calm));

    // A display attached while hidden gets saved and covered too.
    workspace.addDisplay(QStringLiteral("new"), 2, file("/pics/new.jpg"));
    Q_EMIT workspace.screenParametersChanged();
    EXPECT_EQ(saved().value(QStringLiteral("2")), QStringLiteral("/pics/new.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("new")).image, QUrl::fromLocalFile(calm));

    // A picture the user chose meanwhile survives the next display attached.
    workspace.display(QStringLiteral("main")).image = file("/pics/mine.jpg");
    workspace.addDisplay(QStringLiteral("third"), 3, file("/pics/third.jpg"));
    Q_EMIT workspace.screenParametersChanged();
    EXPECT_EQ(workspace.display(QStringLiteral("main")).image, file("/pics/mine.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("third")).image, QUrl::fromLocalFile(calm));

    // Switching the option off while hidden gives the pictures back; the icons stay hidden.
    prefs.setUseCustomWallpaper(false);
    controller.wallpaperSettingsChanged();
    EXPECT_TRUE(saved().isEmpty());
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_EQ(workspace.display(QStringLiteral("main")).image, file("/pics/mine.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("third")).image, file("/pics/third.jpg"));

    // A missing picture is reported while hidden, and cleared by the next good run.
    prefs.setUseCustomWallpaper(true);
    workspace.files.clear();
    controller.wallpaperSettingsChanged();
    EXPECT_EQ(controller.lastError(),
              QStringLiteral("The custom wallpaper couldn't be found at %1.").arg(calm));
    workspace.files.insert(calm);
    Q_EMIT workspace.screenParametersChanged();
    EXPECT_EQ(controller.lastError(), std::nullopt);
}

// Each display gets back exactly how it was drawn, not the fill options the custom picture
// needed; a display whose picture the user changed while hidden keeps that choice. What
// Hushpane put there decides, never the current preference: a custom picture reached through
// a symbolic link and resolved at the next start, or a new one that cannot be used, still gives
// the user's own back.
TEST_F(WallpaperTest, RestoreBringsBackTheOwnStateAndKeepsTheUsersNewChoice) {
    const QVariantMap centred{{QStringLiteral("XfceImageStyle"), 1},
                              {QString::fromLatin1(kDesktopImageScalingKey), 2u}};
    workspace.addDisplay(QStringLiteral("left"), 1, file("/pics/left.jpg")).options = centred;
    workspace.addDisplay(QStringLiteral("right"), 2, file("/pics/right.jpg"));
    workspace.addDisplay(QStringLiteral("third"), 3, file("/pics/third.jpg"));
    const QString linked = pictures.filePath(QStringLiteral("Pictures"));
    ASSERT_TRUE(QFile::link(pictures.path(), linked));
    const QString throughLink = linked + QStringLiteral("/calm.png");
    workspace.files.insert(throughLink);
    prefs.setCustomWallpaperURL(QUrl::fromLocalFile(throughLink));
    ASSERT_EQ(wallpaper.applyCustom(), std::nullopt);
    EXPECT_EQ(workspace.display(QStringLiteral("left")).options,
              WallpaperController::fillOptions());

    // Saved states survive a restart; the next start resolves the link.
    Preferences reloaded(defaults, bookmarks);
    EXPECT_EQ(reloaded.savedWallpapers(), prefs.savedWallpapers());
    prefs.setCustomWallpaperURL(QUrl::fromLocalFile(calm));

    // A new custom picture that cannot be used changes nothing.
    const QString broken = pictures.filePath(QStringLiteral("broken.png"));
    QFile brokenFile(broken);
    ASSERT_TRUE(brokenFile.open(QIODevice::WriteOnly));
    brokenFile.write("no picture");
    brokenFile.close();
    workspace.files.insert(broken);
    prefs.setCustomWallpaperURL(QUrl::fromLocalFile(broken));
    EXPECT_NE(wallpaper.applyCustom(), std::nullopt);
    EXPECT_EQ(workspace.display(QStringLiteral("left")).image, QUrl::fromLocalFile(throughLink));

    // Meanwhile the user picks another picture for the right display, and another style for
    // the third, in the desktop's settings.
    workspace.display(QStringLiteral("right")).image = file("/pics/chosen-while-hidden.jpg");
    workspace.display(QStringLiteral("third")).options = centred;
    EXPECT_EQ(wallpaper.restoreOriginals(), std::nullopt);
    EXPECT_EQ(workspace.display(QStringLiteral("left")).image, file("/pics/left.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("left")).options, centred);
    EXPECT_EQ(workspace.display(QStringLiteral("right")).image,
              file("/pics/chosen-while-hidden.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("third")).image, QUrl::fromLocalFile(throughLink));
    EXPECT_EQ(workspace.display(QStringLiteral("third")).options, centred);
    EXPECT_TRUE(prefs.savedWallpapers().isEmpty());
}

// A user who upgrades while hidden gets the pictures an earlier version saved back; one showing
// the custom picture through another path (a symbolic link) counts as showing it.
TEST_F(WallpaperTest, PicturesSavedByAnEarlierVersionComeBack) {
    const QString linked = pictures.filePath(QStringLiteral("Pictures"));
    ASSERT_TRUE(QFile::link(pictures.path(), linked));
    workspace.addDisplay(QStringLiteral("left"), 1,
                         QUrl::fromLocalFile(linked + QStringLiteral("/calm.png")));
    workspace.addDisplay(QStringLiteral("right"), 2, file("/pics/chosen-while-hidden.jpg"));
    const QVariantMap centred{{QStringLiteral("k"), 1}};
    prefs.setOriginalWallpapers({{QStringLiteral("1"), QStringLiteral("/pics/left.jpg")},
                                 {QStringLiteral("2"), QStringLiteral("/pics/right.jpg")},
                                 {QStringLiteral("9"), QStringLiteral("/pics/away.jpg")}});
    prefs.setOriginalWallpaperOptions({{QStringLiteral("1"), centred}});
    Preferences upgraded(defaults, bookmarks);
    WallpaperController controller(upgraded, workspace);

    // A hide meanwhile keeps them rather than saving the custom picture as the user's own.
    ASSERT_EQ(controller.applyCustom(), std::nullopt);
    EXPECT_TRUE(upgraded.savedWallpapers().isEmpty());

    workspace.display(QStringLiteral("right")).image = file("/pics/chosen-while-hidden.jpg");
    EXPECT_EQ(controller.restoreOriginals(), std::nullopt);
    EXPECT_EQ(workspace.display(QStringLiteral("left")).image, file("/pics/left.jpg"));
    EXPECT_EQ(workspace.display(QStringLiteral("left")).options, centred);
    EXPECT_EQ(workspace.display(QStringLiteral("right")).image,
              file("/pics/chosen-while-hidden.jpg"));
    EXPECT_EQ(upgraded.originalWallpapers(),
              (Preferences::WallpaperMap{{QStringLiteral("9"), QStringLiteral("/pics/away.jpg")}}));
}

// A hide that could not store the user's wallpaper would lose it, so it does not happen: the
// icons and the wallpaper stay as they are and the reason is shown.
TEST_F(WallpaperTest, AHideThatCannotStoreTheWallpaperChangesNothing) {
    test::InMemoryDesktopSwitch desktop;
    workspace.addDisplay(QStringLiteral("main"), 1, file("/pics/main.jpg"));
    prefs.setUseCustomWallpaper(true);
    DesktopController controller(desktop, prefs, workspace);
    domain.failSynchronize = true;
    controller.hide();
    EXPECT_FALSE(controller.isDesktopHidden());
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(workspace.display(QStringLiteral("main")).image, file("/pics/main.jpg"));
    ASSERT_TRUE(controller.lastError());
    EXPECT_TRUE(controller.lastError()->contains(domain.failReason))
        << controller.lastError()->toStdString();

    domain.failSynchronize = false;
    controller.hide();
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_EQ(workspace.display(QStringLiteral("main")).image, QUrl::fromLocalFile(calm));
    EXPECT_EQ(domain.stored.value(QStringLiteral("savedWallpapers")).toMap().size(), 1);
}

// A pipe in the picture's place would block every read for good: it is refused at once.
TEST_F(WallpaperTest, APipeAsThePictureIsRefusedWithoutWaiting) {
    const QString pipe = pictures.filePath(QStringLiteral("pipe.png"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    for (const QString& path : {pipe, pictures.path()}) {
        const std::optional<QString> problem = WallpaperPicture::problemWith(path);
        ASSERT_TRUE(problem);
        EXPECT_TRUE(problem->contains(QStringLiteral("not a regular file")))
            << problem->toStdString();
        EXPECT_EQ(WallpaperPicture::open(path), nullptr);
    }
    EXPECT_NE(WallpaperPicture::open(calm), nullptr);
}

// Only a real picture of a sane size is put on the desktop; the file's header decides.
TEST_F(WallpaperTest, RefusesFilesThatAreNoPictureOrFarTooLarge) {
    workspace.addDisplay(QStringLiteral("main"), 1, file("/pics/main.jpg"));
    const QString text = pictures.filePath(QStringLiteral("notes.png"));
    QFile notes(text);
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
    notes.write("not a picture at all\n");
    notes.close();
    workspace.files.insert(text);
    prefs.setCustomWallpaperURL(QUrl::fromLocalFile(text));
    const std::optional<QString> unreadable = wallpaper.applyCustom();
    ASSERT_TRUE(unreadable);
    EXPECT_TRUE(unreadable->startsWith(
        QStringLiteral("The custom wallpaper at %1 isn't a picture Hushpane can read").arg(text)))
        << unreadable->toStdString();

    // A PNG header that claims 20000 x 6000 pixels: refused without decoding anything.
    const QString huge = pictures.filePath(QStringLiteral("huge.png"));
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QImage(1, 1, QImage::Format_RGB32).save(&buffer, "PNG"));
    // IHDR's width and height sit at bytes 16..23, its CRC (over bytes 12..28) at 29..32.
    const auto putBigEndian = [&png](int at, quint32 value) {
        for (int i = 0; i < 4; ++i) {
            png[at + i] = static_cast<char>((value >> (24 - 8 * i)) & 0xff);
        }
    };
    putBigEndian(16, 20000);
    putBigEndian(20, 6000);
    quint32 crc = 0xffffffffu;
    for (int i = 12; i < 29; ++i) {
        crc ^= static_cast<quint8>(png[i]);
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
        }
    }
    putBigEndian(29, ~crc);
    QFile hugeFile(huge);
    ASSERT_TRUE(hugeFile.open(QIODevice::WriteOnly));
    hugeFile.write(png);
    hugeFile.close();
    workspace.files.insert(huge);
    prefs.setCustomWallpaperURL(QUrl::fromLocalFile(huge));
    EXPECT_EQ(wallpaper.applyCustom(),
              QStringLiteral("The custom wallpaper at %1 is 20000 × 6000 pixels, more than 100 "
                             "megapixels; choose a smaller picture.")
                  .arg(huge));
    EXPECT_TRUE(workspace.setCalls.isEmpty());
    EXPECT_TRUE(prefs.savedWallpapers().isEmpty());
}
