#include "backends/linux/DBusSingleInstance.h"
#include "support/LogCapture.h"

#include <QDBusConnection>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <thread>

using namespace hushpane;

namespace {

// Each instance gets a connection of its own, as two processes would.
QDBusConnection connection(const QString& name) {
    return QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
}

// A second start of the program, on a thread of its own so the first can answer meanwhile.
SingleInstance::Role claimElsewhere(const QString& name, const QStringList& urls) {
    std::atomic<bool> done = false;
    SingleInstance::Role role = SingleInstance::Role::failed;
    std::thread start([&] {
        DBusSingleInstance later(connection(name));
        QString error;
        role = later.claim(urls, &error);
        done = true;
    });
    QElapsedTimer waited;
    waited.start();
    while (!done && waited.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    start.join();
    return role;
}

}  // namespace

TEST(DBusSingleInstance, ALaterStartHandsItsUrlsToTheRunningOne) {
    if (!QDBusConnection::sessionBus().isConnected()) {
        GTEST_SKIP() << "no session bus";
    }
    DBusSingleInstance first(connection(QStringLiteral("first")));
    QString error;
    ASSERT_EQ(first.claim({}, &error), SingleInstance::Role::primary) << error.toStdString();
    QSignalSpy requested(&first, &SingleInstance::activationRequested);

    const QStringList urls{QStringLiteral("hushpane://hide"), QStringLiteral("hushpane://show")};
    EXPECT_EQ(claimElsewhere(QStringLiteral("second"), urls), SingleInstance::Role::forwarded);
    ASSERT_TRUE(requested.count() == 1 || requested.wait(5000));
    EXPECT_EQ(requested.first().first().toStringList(), urls);

    // Started again with nothing to do: an empty list, which the application treats as reopen.
    EXPECT_EQ(claimElsewhere(QStringLiteral("third"), {}), SingleInstance::Role::forwarded);
    ASSERT_TRUE(requested.count() == 2 || requested.wait(5000));
    EXPECT_TRUE(requested.last().first().toStringList().isEmpty());

    // More URLs than any command line carries: answered, logged and dropped whole; the next
    // call is still handled.
    QStringList flood;
    for (qsizetype i = 0; i <= DBusSingleInstance::kMaxUrls; ++i) {
        flood.append(QStringLiteral("hushpane://toggle"));
    }
    const test::LogCapture log;
    EXPECT_EQ(claimElsewhere(QStringLiteral("fourth"), flood), SingleInstance::Role::forwarded);
    EXPECT_EQ(claimElsewhere(QStringLiteral("fifth"), urls), SingleInstance::Role::forwarded);
    ASSERT_TRUE(requested.count() == 3 || requested.wait(5000));
    EXPECT_EQ(requested.last().first().toStringList(), urls);
    EXPECT_TRUE(log.formatted(QStringLiteral("app.hushpane.desktop"))
                    .contains(QStringLiteral(
                        "warning: Refused an activation with 65 URLs (at most 64 are handled)")))
        << log.formatted(QStringLiteral("app.hushpane.desktop")).join(u'\n').toStdString();

    QDBusConnection::disconnectFromBus(QStringLiteral("first"));
    QDBusConnection::disconnectFromBus(QStringLiteral("second"));
    QDBusConnection::disconnectFromBus(QStringLiteral("third"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fourth"));
    QDBusConnection::disconnectFromBus(QStringLiteral("fifth"));
}
