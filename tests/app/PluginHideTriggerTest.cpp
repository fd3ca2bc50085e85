// A trigger in a plugin: the real screen-share plugin, loaded from where the build puts it,
// and one that is not there.

#include "app/PluginHideTrigger.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

PluginHideTrigger make(const QString& name) {
    return PluginHideTrigger(
        name, {QStringLiteral("/nonexistent"), QStringLiteral(HUSHPANE_TEST_PLUGIN_DIR)},
        [] { return std::optional<QString>(QStringLiteral("not here")); },
        [] { return std::optional<QString>(QStringLiteral("sees little")); });
}

}  // namespace

// Started with no daemon to reach, the plugin's trigger settles inactive, and says so through
// the proxy (the plugin has its own copy of the signals' class).
TEST(PluginHideTrigger, LoadsThePluginOnStartAndForwardsItsSignals) {
    const QTemporaryDir runtime;
    qputenv("PIPEWIRE_RUNTIME_DIR", runtime.path().toUtf8());
    PluginHideTrigger trigger = make(QStringLiteral("hushpane-pipewire-screen-casts"));
    EXPECT_EQ(trigger.unavailableReason(), QStringLiteral("not here"));
    EXPECT_EQ(trigger.limitation(), QStringLiteral("sees little"));
    EXPECT_FALSE(trigger.isSettled());
    const QSignalSpy settled(&trigger, &HideTrigger::settled);
    trigger.start();
    EXPECT_EQ(settled.count(), 1);
    EXPECT_TRUE(trigger.isSettled());
    EXPECT_FALSE(trigger.isActive());
    trigger.stop();
    EXPECT_FALSE(trigger.isSettled());
    qunsetenv("PIPEWIRE_RUNTIME_DIR");
}

TEST(PluginHideTrigger, AMissingPluginSettlesInactive) {
    PluginHideTrigger trigger = make(QStringLiteral("hushpane-no-such-plugin"));
    const QSignalSpy settled(&trigger, &HideTrigger::settled);
    trigger.start();
    EXPECT_EQ(settled.count(), 1);
    EXPECT_TRUE(trigger.isSettled());
    EXPECT_FALSE(trigger.isActive());
    trigger.stop();
    trigger.start();  // a second attempt does not look again
    EXPECT_EQ(settled.count(), 2);
}
