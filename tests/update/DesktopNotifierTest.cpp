#include "update/DesktopNotifier.h"

#include "UpdateTestDoubles.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusError>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace hushpane;
using hushpane::test::waitUntil;

namespace {

// A notification server on its own bus connection, so calls to it really cross the bus.
class FakeNotificationServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    struct Call {
        QString appName;
        uint replacesId;
        QString summary;
        QString body;
        QStringList actions;
    };

    QList<Call> calls;
    bool fail = false;
    uint nextId = 41;

public Q_SLOTS:
    uint Notify(const QString& appName, uint replacesId, const QString& /*appIcon*/,
                const QString& summary, const QString& body, const QStringList& actions,
                const QVariantMap& /*hints*/, int /*expireTimeout*/) {
        calls.append({appName, replacesId, summary, body, actions});
        if (fail) {
            sendErrorReply(QDBusError::Failed, QStringLiteral("no notifications today"));
            return 0;
        }
        return replacesId != 0 ? replacesId : ++nextId;
    }

Q_SIGNALS:
    void ActionInvoked(uint id, const QString& actionKey);
    void NotificationClosed(uint id, uint reason);
};

class DesktopNotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QDBusConnection::sessionBus().isConnected()) {
            GTEST_SKIP() << "no session bus";
        }
        service = QStringLiteral("org.freedesktop.Notifications.test%1")
                      .arg(QCoreApplication::applicationPid());
        bus = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(
            QDBusConnection::SessionBus, QStringLiteral("fake-server")));
        ASSERT_TRUE(bus->isConnected());
        ASSERT_TRUE(bus->registerObject(
            QStringLiteral("/org/freedesktop/Notifications"), &server,
            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals));
    }
    void TearDown() override {
        if (bus) {
            bus->unregisterService(service);
            bus->unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
            bus.reset();
            QDBusConnection::disconnectFromBus(QStringLiteral("fake-server"));
        }
    }
    bool announce() { return bus->registerService(service); }

    FakeNotificationServer server;
    QString service;
    std::unique_ptr<QDBusConnection> bus;
};

TEST_F(DesktopNotifierTest, IsAvailableOnlyWhileTheServiceIsOnTheBus) {
    DesktopNotifier notifier(QDBusConnection::sessionBus(), service);
    EXPECT_FALSE(notifier.isAvailable());
    ASSERT_TRUE(announce());
    EXPECT_TRUE(notifier.isAvailable());
    bus->unregisterService(service);
    EXPECT_FALSE(notifier.isAvailable());
}

TEST_F(DesktopNotifierTest, ShowsOneReplaceableNotificationAndReportsItsClick) {
    ASSERT_TRUE(announce());
    DesktopNotifier notifier(QDBusConnection::sessionBus(), service);
    QSignalSpy activated(&notifier, &UpdateNotifier::activated);
    QSignalSpy failed(&notifier, &UpdateNotifier::failed);

    notifier.notify(QStringLiteral("A new version of Hushpane is available."),
                    QStringLiteral("Hushpane 0.2.0 is ready to download."));
    ASSERT_TRUE(waitUntil([&] { return server.calls.size() == 1; }));
    const auto& call = server.calls[0];
    EXPECT_EQ(call.appName, u"Hushpane");
    EXPECT_EQ(call.replacesId, 0u);
    EXPECT_EQ(call.summary, u"A new version of Hushpane is available.");
    EXPECT_EQ(call.body, u"Hushpane 0.2.0 is ready to download.");
    ASSERT_GE(call.actions.size(), 2);
    EXPECT_EQ(call.actions[0], u"default");

    // Once the id is known, click someone else's notification and then ours.
    ASSERT_TRUE(waitUntil([&] { return notifier.notificationId() == 42; }));
    Q_EMIT server.ActionInvoked(7, QStringLiteral("default"));
    Q_EMIT server.ActionInvoked(42, QStringLiteral("default"));
    ASSERT_TRUE(activated.wait(3000));
    QTest::qWait(50);
    EXPECT_EQ(activated.size(), 1);

    // A later reminder replaces the first instead of piling up.
    notifier.notify(QStringLiteral("s"), QStringLiteral("b"));
    ASSERT_TRUE(waitUntil([&] { return server.calls.size() == 2; }));
    EXPECT_EQ(server.calls[1].replacesId, 42u);

    // Once closed, its id means nothing to us any more.
    Q_EMIT server.NotificationClosed(42, 2);
    ASSERT_TRUE(waitUntil([&] { return notifier.notificationId() == 0; }));
    Q_EMIT server.ActionInvoked(42, QStringLiteral("default"));
    QTest::qWait(50);
    EXPECT_EQ(activated.size(), 1);
    EXPECT_TRUE(failed.isEmpty());
}

TEST_F(DesktopNotifierTest, AnErrorFromTheServiceIsReported) {
    ASSERT_TRUE(announce());
    server.fail = true;
    DesktopNotifier notifier(QDBusConnection::sessionBus(), service);
    QSignalSpy failed(&notifier, &UpdateNotifier::failed);
    notifier.notify(QStringLiteral("s"), QStringLiteral("b"));
    ASSERT_TRUE(failed.wait(3000));
    // Nothing is on screen, so there is nothing to click.
    EXPECT_EQ(notifier.notificationId(), 0u);
    QSignalSpy activated(&notifier, &UpdateNotifier::activated);
    Q_EMIT server.ActionInvoked(0, QStringLiteral("default"));
    QTest::qWait(50);
    EXPECT_TRUE(activated.isEmpty());
}

}  // namespace

#include "DesktopNotifierTest.moc"
