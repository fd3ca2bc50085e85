#include "common/UserDefaults.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "services/Preferences.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryFileBookmarks bookmarks;
};

}  // namespace

TEST_F(PreferencesTest, LaunchFallsBackAndWritesNothingThatIsAlreadyStored) {
    Preferences prefs(defaults, bookmarks);
    EXPECT_FALSE(prefs.showDockIcon());
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::grid);
    EXPECT_FALSE(prefs.useCustomWallpaper());
    EXPECT_TRUE(prefs.originalWallpapers().isEmpty());
    EXPECT_FALSE(prefs.customWallpaperURL());
    EXPECT_TRUE(domain.stored.isEmpty());
    EXPECT_EQ(domain.synchronizeCount, 0);

    // A chosen wallpaper whose bookmark still resolves to itself is not written again either.
    prefs.setCustomWallpaperURL(QUrl::fromLocalFile(QStringLiteral("/pictures/calm.png")));
    const int writes = domain.synchronizeCount;
    Preferences relaunched(defaults, bookmarks);
    EXPECT_EQ(relaunched.customWallpaperURL(), prefs.customWallpaperURL());
    EXPECT_EQ(domain.synchronizeCount, writes);
}

TEST_F(PreferencesTest, MistypedValuesFallBackWithoutTouchingWhatIsStored) {
    domain.values = {
        {QStringLiteral("showDockIcon"), true},
        {QStringLiteral("menuBarIcon"), QStringLiteral("Desk Lamp")},
        {QStringLiteral("useCustomWallpaper"), QStringLiteral("YES")},
        {QStringLiteral("originalWallpapers"),
         QVariantMap{{QStringLiteral("1"), QStringLiteral("/a.png")},
                     {QStringLiteral("2"), qlonglong(7)}}},
    };
    Preferences prefs(defaults, bookmarks);
    EXPECT_TRUE(prefs.showDockIcon());
    EXPECT_EQ(prefs.menuBarIcon(), MenuBarIcon::grid);
    EXPECT_TRUE(prefs.useCustomWallpaper());
    EXPECT_TRUE(prefs.originalWallpapers().isEmpty());  // one stray value discards the map
    EXPECT_EQ(domain.values.value(QStringLiteral("menuBarIcon")), QStringLiteral("Desk Lamp"));
    EXPECT_EQ(domain.values.value(QStringLiteral("originalWallpapers")).toMap().size(), 2);

    domain.values.insert(QStringLiteral("menuBarIcon"), qlonglong(3));
    domain.values.insert(QStringLiteral("originalWallpapers"), QStringLiteral("not a map"));
    Preferences again(defaults, bookmarks);
    EXPECT_EQ(again.menuBarIcon(), MenuBarIcon::grid);
    EXPECT_TRUE(again.originalWallpapers().isEmpty());

    domain.values.insert(QStringLiteral("menuBarIcon"), QStringLiteral("moon"));
    EXPECT_EQ(Preferences(defaults, bookmarks).menuBarIcon(), MenuBarIcon::moon);
}

TEST_F(PreferencesTest, EveryAssignmentPersistsButOnlyARealChangeNotifies) {
    Preferences prefs(defaults, bookmarks);
    QSignalSpy dock(&prefs, &Preferences::showDockIconChanged);
    QSignalSpy icon(&prefs, &Preferences::menuBarIconChanged);
    QSignalSpy custom(&prefs, &Preferences::useCustomWallpaperChanged);
    QSignalSpy originals(&prefs, &Preferences::originalWallpapersChanged);

    prefs.setShowDockIcon(true);
    prefs.setShowDockIcon(true);
    prefs.setMenuBarIcon(MenuBarIcon::lamp);
    prefs.setMenuBarIcon(MenuBarIcon::lamp);
    prefs.setUseCustomWallpaper(false);
    prefs.setOriginalWallpapers({{QStringLiteral("2"), QStringLiteral("/p/b.jpg")}});
    prefs.setOriginalWallpapers({{QStringLiteral("2"), QStringLiteral("/p/b.jpg")}});
    EXPECT_EQ(dock.count(), 1);
    EXPECT_EQ(icon.count(), 1);
    EXPECT_EQ(custom.count(), 0);
    EXPECT_EQ(originals.count(), 1);

    const QVariantMap& s = domain.stored;
    EXPECT_EQ(s.value(QStringLiteral("showDockIcon")).typeId(), QMetaType::Bool);
    EXPECT_EQ(s.value(QStringLiteral("menuBarIcon")), QStringLiteral("lamp"));
    EXPECT_EQ(s.value(QStringLiteral("useCustomWallpaper")).typeId(), QMetaType::Bool);
    EXPECT_EQ(s.value(QStringLiteral("originalWallpapers")).toMap(),
              (QVariantMap{{QStringLiteral("2"), QStringLiteral("/p/b.jpg")}}));

    // The equal assignment was written again: a value changed behind our back is restored.
    domain.values.insert(QStringLiteral("showDockIcon"), false);
    prefs.setShowDockIcon(true);
    EXPECT_TRUE(domain.stored.value(QStringLiteral("showDockIcon")).toBool());
    EXPECT_EQ(dock.count(), 1);

    Preferences reloaded(defaults, bookmarks);
    EXPECT_TRUE(reloaded.showDockIcon());
    EXPECT_EQ(reloaded.menuBarIcon(), MenuBarIcon::lamp);
    EXPECT_EQ(reloaded.originalWallpapers().value(QStringLiteral("2")), QStringLiteral("/p/b.jpg"));
}

TEST_F(PreferencesTest, CustomWallpaperReferencePrefersTheBookmarkAndFallsBackToThePath) {
    domain.values = {{QStringLiteral("customWallpaperBookmark"), QByteArray("bm:/moved/here.png")},
                     {QStringLiteral("customWallpaperPath"), QStringLiteral("/old/place.png")}};
    {
        Preferences prefs(defaults, bookmarks);
        EXPECT_EQ(prefs.customWallpaperURL(),
                  QUrl::fromLocalFile(QStringLiteral("/moved/here.png")));
        EXPECT_EQ(domain.stored.value(QStringLiteral("customWallpaperPath")),
                  QStringLiteral("/moved/here.png"));
    }

    // A bookmark that no longer resolves: the stored path wins, existing or not, and the
    // bookmark is made afresh from it (or removed when that fails).
    bookmarks.gone.insert(QStringLiteral("/moved/here.png"));
    domain.values.insert(QStringLiteral("customWallpaperPath"), QStringLiteral("/old/place.png"));
    bookmarks.unbookmarkable.insert(QStringLiteral("/old/place.png"));
    {
        Preferences prefs(defaults, bookmarks);
        EXPECT_EQ(prefs.customWallpaperURL(),
                  QUrl::fromLocalFile(QStringLiteral("/old/place.png")));
        EXPECT_FALSE(domain.stored.contains(QStringLiteral("customWallpaperBookmark")));
        EXPECT_EQ(domain.stored.value(QStringLiteral("customWallpaperPath")),
                  QStringLiteral("/old/place.png"));
    }

    // Clearing removes both keys; an equal assignment rewrites them without notifying.
    Preferences prefs(defaults, bookmarks);
    QSignalSpy changed(&prefs, &Preferences::customWallpaperURLChanged);
    const QUrl chosen = QUrl::fromLocalFile(QStringLiteral("/pictures/calm.png"));
    prefs.setCustomWallpaperURL(chosen);
    EXPECT_EQ(domain.stored.value(QStringLiteral("customWallpaperBookmark")),
              QByteArray("bm:/pictures/calm.png"));
    domain.values.remove(QStringLiteral("customWallpaperBookmark"));
    prefs.setCustomWallpaperURL(chosen);
    EXPECT_TRUE(domain.stored.contains(QStringLiteral("customWallpaperBookmark")));
    EXPECT_EQ(changed.count(), 1);
    prefs.setCustomWallpaperURL(std::nullopt);
    EXPECT_FALSE(domain.stored.contains(QStringLiteral("customWallpaperBookmark")));
    EXPECT_FALSE(domain.stored.contains(QStringLiteral("customWallpaperPath")));
    EXPECT_EQ(changed.count(), 2);
}
