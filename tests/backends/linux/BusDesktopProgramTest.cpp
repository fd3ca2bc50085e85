#include "backends/linux/BusDesktopProgram.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace hushpane {
namespace {

const QString kName = QStringLiteral("org.hushpane.test.LateProgram");

// Stands in for a desktop program that takes a while to start: it owns its name a moment after
// it began, and keeps it until it is ended. Runs only when the case below starts it.
TEST(LateProgram, OwnsItsNameAMomentAfterItStarts) {
    if (!qEnvironmentVariableIsSet("HUSHPANE_TEST_LATE_PROGRAM")) {
        GTEST_SKIP() << "the stand-in program of the case below";
    }
    QTest::qWait(300);
    ASSERT_TRUE(QDBusConnection::sessionBus().registerService(kName));
    QTest::qWait(60000);
}

// A program it starts is waited for from the event loop: launchThen() returns at once and
// answers once the program owns its name; whenLeft() answers once it is gone.
TEST(BusDesktopProgram, WaitsForAProgramItStartsAndForItToLeaveWithoutBlocking) {
    const QString self = QCoreApplication::applicationFilePath();
    BusDesktopProgram program(QDBusConnection::sessionBus(), kName, QStringLiteral("late"),
                              {self, QStringLiteral("--gtest_filter=LateProgram.*")});
    qputenv("HUSHPANE_TEST_LATE_PROGRAM", "1");
    std::optional<std::optional<QString>> started;
    program.launchThen([&](const std::optional<QString>& error) { started = error; });
    EXPECT_FALSE(started.has_value());
    ASSERT_TRUE(QTest::qWaitFor([&] { return started.has_value(); }, 15000));
    EXPECT_EQ(*started, std::nullopt);
    EXPECT_EQ(program.state(), DesktopProgram::State::answering);

    const uint pid = QDBusConnection::sessionBus().interface()->servicePid(kName).value();
    ASSERT_GT(pid, 0U);
    std::optional<bool> left;
    program.whenLeft(15000, [&](bool gone) { left = gone; });
    EXPECT_FALSE(left.has_value());
    QTimer::singleShot(100, [pid] { ::kill(static_cast<pid_t>(pid), SIGTERM); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return left.has_value(); }, 15000));
    EXPECT_TRUE(*left);

    BusDesktopProgram none(QDBusConnection::sessionBus(), kName, QStringLiteral("late"),
                           {QStringLiteral("/nonexistent/late-program")});
    EXPECT_EQ(none.launch(), QStringLiteral("/nonexistent/late-program could not be started"));
}

}  // namespace
}  // namespace hushpane
