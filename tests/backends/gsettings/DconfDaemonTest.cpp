// The GIO store against the real settings daemon (dconf) on the test's own bus.
#include "backends/gsettings/GioSettingsStore.h"
#include "support/HarnessDesktop.h"

#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace hushpane {
namespace {

const QString kMate = QStringLiteral("org.mate.background");
const QString kKey = QStringLiteral("show-desktop-icons");

// A daemon that hangs (stopped, or busy) fails the write at once and changes nothing, where
// GIO would wait 25 s for it; once it answers again writes go through.
TEST(DconfDaemon, AHungDaemonFailsTheWriteWithoutWaitingAndChangesNothing) {
    GioSettingsStore store;
    if (!store.hasSchema(kMate)) {
        GTEST_SKIP() << "MATE's schemas are not installed";
    }
    ASSERT_EQ(store.setValue(kMate, kKey, true), std::nullopt);  // starts the daemon
    QList<qint64> daemons;
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            daemons = test::HarnessDesktop::processesInThisSession(QStringLiteral("dconf-service"));
            return daemons.size() == 1;
        },
        10000));
    const auto pid = static_cast<pid_t>(daemons.constFirst());
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);

    const auto refused = store.setValue(kMate, kKey, false);
    ::kill(pid, SIGCONT);
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->contains(QStringLiteral("doesn't answer"))) << refused->toStdString();
    EXPECT_EQ(GioSettingsStore().value(kMate, kKey).value, QVariant(true));

    ASSERT_TRUE(QTest::qWaitFor([&] { return !store.setValue(kMate, kKey, false); }, 10000));
    EXPECT_EQ(GioSettingsStore().value(kMate, kKey).value, QVariant(false));
}

}  // namespace
}  // namespace hushpane
