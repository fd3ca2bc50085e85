#include "backends/linux/LinuxApplicationPlatform.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <functional>

using namespace hushpane;

TEST(LinuxApplicationPlatform, TermFromTheSessionEndsItAndInterruptIsTheUsersOwnQuit) {
    LinuxApplicationPlatform platform;
    QSignalSpy requested(&platform, &ApplicationPlatform::terminationRequested);
    EXPECT_FALSE(platform.isSessionEnding());

    ::raise(SIGINT);
    ASSERT_TRUE(requested.wait(2000));
    EXPECT_FALSE(platform.isSessionEnding());

    ::raise(SIGTERM);
    ASSERT_TRUE(requested.wait(2000));
    EXPECT_TRUE(platform.isSessionEnding());
    EXPECT_EQ(requested.count(), 2);
}

TEST(LinuxApplicationPlatform, StartsAsAnAccessoryAndKeepsThePolicyItIsGiven) {
    LinuxApplicationPlatform platform;
    EXPECT_EQ(platform.activationPolicy(), ApplicationPlatform::ActivationPolicy::accessory);
    platform.setActivationPolicy(ApplicationPlatform::ActivationPolicy::regular);
    EXPECT_EQ(platform.activationPolicy(), ApplicationPlatform::ActivationPolicy::regular);
}

namespace {

using namespace std::chrono_literals;

// Stands in for logind on the test's session bus: owns its name and sends PrepareForShutdown.
class StandInLogind {
public:
    StandInLogind()
        : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                             QStringLiteral("stand-in-logind"))) {
        owned_ = bus_.registerService(QStringLiteral("org.freedesktop.login1"));
    }
    ~StandInLogind() {
        bus_.unregisterService(QStringLiteral("org.freedesktop.login1"));
        QDBusConnection::disconnectFromBus(QStringLiteral("stand-in-logind"));
    }
    bool isOwned() const { return owned_; }

    void prepareForShutdown(bool starting) {
        QDBusMessage signal = QDBusMessage::createSignal(
            QStringLiteral("/org/freedesktop/login1"),
            QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForShutdown"));
        signal << starting;
        bus_.send(signal);
    }

private:
    QDBusConnection bus_;
    bool owned_ = false;
};

bool waitUntil(const std::function<bool()>& condition) {
    for (int i = 0; i < 200 && !condition(); ++i) {
        QTest::qWait(10);
    }
    return condition();
}

}  // namespace

TEST(LinuxApplicationPlatform, ACancelledShutdownMakesTheNextQuitTheUsersAgain) {
    StandInLogind logind;
    ASSERT_TRUE(logind.isOwned()) << "needs a session bus";
    LinuxApplicationPlatform platform(QDBusConnection::sessionBus());

    logind.prepareForShutdown(true);
    ASSERT_TRUE(waitUntil([&] { return platform.isSessionEnding(); }));
    logind.prepareForShutdown(false);
    EXPECT_TRUE(waitUntil([&] { return !platform.isSessionEnding(); }));

    // A cancelled shutdown does not take back a log-out that has already begun.
    ::raise(SIGTERM);
    ASSERT_TRUE(waitUntil([&] { return platform.isSessionEnding(); }));
    logind.prepareForShutdown(true);
    logind.prepareForShutdown(false);
    QTest::qWait(200);
    EXPECT_TRUE(platform.isSessionEnding());
}

TEST(LinuxApplicationPlatform, ASessionSaveThatIsNotFollowedByTheEndExpires) {
    LinuxApplicationPlatform platform(QDBusConnection::sessionBus(), 150ms);
    platform.sessionSaveRequested();
    EXPECT_TRUE(platform.isSessionEnding());
    QTest::qWait(80);
    // Asked again on the way out: the wait starts over.
    platform.sessionSaveRequested();
    QTest::qWait(100);
    EXPECT_TRUE(platform.isSessionEnding());
    EXPECT_TRUE(waitUntil([&] { return !platform.isSessionEnding(); }));

    // A save followed by SIGTERM is the end, however long it takes.
    platform.sessionSaveRequested();
    ::raise(SIGTERM);
    QTest::qWait(300);
    EXPECT_TRUE(platform.isSessionEnding());
}
