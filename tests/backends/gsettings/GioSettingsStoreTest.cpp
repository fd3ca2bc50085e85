// Against GIO itself and the installed schemas (MATE's), with GIO's in-memory settings.
#include "backends/gsettings/GSettingsAccelerators.h"
#include "backends/gsettings/GioSettingsStore.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

const QString kMate = QStringLiteral("org.mate.background");

TEST(GioSettingsStore, ReadsAndWritesTypedValuesAndEnumNicks) {
    GioSettingsStore store;
    if (!store.hasSchema(kMate)) {
        GTEST_SKIP() << "MATE's schemas are not installed";
    }
    const QString key = QStringLiteral("show-desktop-icons");
    ASSERT_EQ(store.setValue(kMate, key, false), std::nullopt);
    EXPECT_EQ(store.value(kMate, key).value, QVariant(false));
    ASSERT_EQ(store.setValue(kMate, key, true), std::nullopt);
    EXPECT_EQ(store.value(kMate, key).value, QVariant(true));

    const QString options = QStringLiteral("picture-options");
    ASSERT_EQ(store.setValue(kMate, options, QStringLiteral("centered")), std::nullopt);
    EXPECT_EQ(store.value(kMate, options).value, QVariant(QStringLiteral("centered")));
    EXPECT_EQ(GioSettingsStore().value(kMate, options).value, QVariant(QStringLiteral("centered")));
    EXPECT_EQ(store.value(kMate, QStringLiteral("picture-opacity")).value->typeId(),
              QMetaType::Int);
}

// A change by another settings client reaches the watcher through the event loop; a watch that
// ended hears nothing more, and keys that do not exist are not watched.
TEST(GioSettingsStore, TellsTheWatcherOfAChangeMadeElsewhereUntilTheWatchEnds) {
    GioSettingsStore watched;
    GioSettingsStore other;
    if (!watched.hasSchema(kMate)) {
        GTEST_SKIP() << "MATE's schemas are not installed";
    }
    const QString key = QStringLiteral("show-desktop-icons");
    ASSERT_EQ(other.setValue(kMate, key, true), std::nullopt);
    int told = 0;
    watched.watch(kMate, key, [&told] { ++told; });
    watched.watch(kMate, QStringLiteral("no-such-key"), [] { FAIL(); });
    const auto settle = [](const std::function<bool()>& done, int ms = 5000) {
        const QDeadlineTimer deadline(ms);
        while (!done() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        }
    };
    ASSERT_EQ(other.setValue(kMate, key, false), std::nullopt);
    settle([&told] { return told > 0; });
    EXPECT_EQ(told, 1);

    watched.watch(kMate, key, {});
    ASSERT_EQ(other.setValue(kMate, key, true), std::nullopt);
    settle([] { return false; }, 300);
    EXPECT_EQ(told, 1);
}

TEST(GioSettingsStore, RefusesWhatTheSchemaDoesNotTake) {
    GioSettingsStore store;
    EXPECT_FALSE(store.hasSchema(QStringLiteral("org.example.not.installed")));
    EXPECT_EQ(store.value(QStringLiteral("org.example.not.installed"), QStringLiteral("k")).error,
              QStringLiteral("the settings schema org.example.not.installed is not installed"));
    if (!store.hasSchema(kMate)) {
        GTEST_SKIP() << "MATE's schemas are not installed";
    }
    EXPECT_EQ(store.setValue(kMate, QStringLiteral("show-desktop-icons"), QStringLiteral("yes")),
              QStringLiteral("org.mate.background show-desktop-icons takes a value of type b, "
                             "not QString"));
    EXPECT_EQ(store.setValue(kMate, QStringLiteral("picture-options"), QStringLiteral("sideways")),
              QStringLiteral("org.mate.background picture-options does not take the value "
                             "sideways"));
    EXPECT_EQ(store.value(kMate, QStringLiteral("no-such-key")).error,
              QStringLiteral("org.mate.background has no key no-such-key"));
}

TEST(GSettingsAccelerators, ReadsTheDesktopsOwnShortcutsFromItsSettingsAndSkipsMissingSchemas) {
    const QString wm = QStringLiteral("org.gnome.desktop.wm.keybindings");
    if (!GioSettingsStore().hasSchema(wm)) {
        GTEST_SKIP() << "GNOME's keybinding schemas are not installed";
    }
    const QStringList read =
        gsettingsAccelerators({QStringLiteral("org.example.not-installed"), wm});
    // GNOME's defaults, from string lists, as the window manager sees them.
    EXPECT_TRUE(read.contains(QStringLiteral("<Super>Tab")));
    EXPECT_TRUE(read.contains(QStringLiteral("<Alt>Tab")));
    EXPECT_FALSE(read.contains(QString()));
}

}  // namespace
}  // namespace hushpane
