// GNOME's custom keybindings through GSettings' memory back-end (GSETTINGS_BACKEND=memory),
// with the real schemas of gnome-settings-daemon.

#include "backends/gnome/GnomeCustomKeybindings.h"

#include <QStringList>

#include <gtest/gtest.h>

#pragma push_macro("signals")
#undef signals
#include <gio/gio.h>
#pragma pop_macro("signals")

using hushpane::GnomeCustomKeybindings;

namespace {

QStringList paths() {
    GSettings* settings = g_settings_new(GnomeCustomKeybindings::kSchema);
    gchar** list = g_settings_get_strv(settings, GnomeCustomKeybindings::kListKey);
    QStringList result;
    for (gchar** p = list; *p != nullptr; ++p) {
        result.append(QString::fromUtf8(*p));
    }
    g_strfreev(list);
    g_object_unref(settings);
    return result;
}

void setPaths(const QStringList& list) {
    GSettings* settings = g_settings_new(GnomeCustomKeybindings::kSchema);
    std::vector<QByteArray> utf8;
    for (const QString& p : list) {
        utf8.push_back(p.toUtf8());
    }
    std::vector<const gchar*> strv;
    for (const QByteArray& p : utf8) {
        strv.push_back(p.constData());
    }
    strv.push_back(nullptr);
    g_settings_set_strv(settings, GnomeCustomKeybindings::kListKey, strv.data());
    g_object_unref(settings);
}

QString entry(const QString& path, const char* key) {
    GSettings* settings =
        g_settings_new_with_path(GnomeCustomKeybindings::kEntrySchema, path.toUtf8().constData());
    gchar* value = g_settings_get_string(settings, key);
    const QString text = QString::fromUtf8(value);
    g_free(value);
    g_object_unref(settings);
    return text;
}

void setEntry(const QString& path, const char* key, const char* value) {
    GSettings* settings =
        g_settings_new_with_path(GnomeCustomKeybindings::kEntrySchema, path.toUtf8().constData());
    g_settings_set_string(settings, key, value);
    g_object_unref(settings);
}

// Before GSettings is first used: nothing reaches the user's dconf.
const bool kMemoryBackend = qputenv("GSETTINGS_BACKEND", "memory");

const QString kCustom0 =
    QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom0/");
const QString kCustom1 =
    QStringLiteral("/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/custom1/");

}  // namespace

TEST(GnomeCustomKeybindings, AddsOneEntryBesideTheUsersOwnAndUpdatesItAfterwards) {
    ASSERT_TRUE(kMemoryBackend);
    GnomeCustomKeybindings keybindings;
    ASSERT_TRUE(keybindings.isAvailable()) << "needs gnome-settings-daemon-common";
    setPaths({kCustom0});
    setEntry(kCustom0, "name", "Terminal");
    setEntry(kCustom0, "command", "x-terminal-emulator");
    setEntry(kCustom0, "binding", "<Super>t");

    const QString command = QStringLiteral("hushpane hushpane://toggle");
    EXPECT_FALSE(keybindings.addKeybinding(QStringLiteral("Hushpane: hide or show desktop icons"),
                                           command, 2, 0x1000 | 0x800 | 0x100));
    EXPECT_EQ(paths(), (QStringList{kCustom0, kCustom1}));
    EXPECT_EQ(entry(kCustom1, "command"), command);
    EXPECT_EQ(entry(kCustom1, "binding"), QStringLiteral("<Control><Alt><Super>d"));
    EXPECT_EQ(entry(kCustom1, "name"), QStringLiteral("Hushpane: hide or show desktop icons"));
    EXPECT_EQ(entry(kCustom0, "binding"), QStringLiteral("<Super>t"));

    // Asked again with other keys: the same entry changes, no second one appears.
    EXPECT_FALSE(keybindings.addKeybinding(QStringLiteral("Hushpane"), command, 40, 0x100));
    EXPECT_EQ(paths(), (QStringList{kCustom0, kCustom1}));
    EXPECT_EQ(entry(kCustom1, "binding"), QStringLiteral("<Super>k"));
}

TEST(GnomeCustomKeybindings, RefusesKeysGnomeCannotBindAndSkipsBrokenPaths) {
    GnomeCustomKeybindings keybindings;
    ASSERT_TRUE(keybindings.isAvailable());
    setPaths({QStringLiteral("not a path")});
    const auto error =
        keybindings.addKeybinding(QStringLiteral("Hushpane"), QStringLiteral("x"), 2, 0x20000);
    ASSERT_TRUE(error);
    EXPECT_EQ(paths(), QStringList{QStringLiteral("not a path")});

    EXPECT_FALSE(keybindings.addKeybinding(QStringLiteral("Hushpane"), QStringLiteral("x"), 2, 0));
    EXPECT_EQ(paths(), (QStringList{QStringLiteral("not a path"), kCustom0}));
}
