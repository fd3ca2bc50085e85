#include "backends/qt/MirroredScreens.h"

#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

// Lays the session's X screen out as RandR monitors, the way a display settings tool does.
void xrandr(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral("xrandr"), arguments);
    ASSERT_TRUE(process.waitForFinished(10000));
    ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
}

void setMonitor(const QString& name, const QString& geometry, const QString& output) {
    xrandr({QStringLiteral("--setmonitor"), name, geometry, output});
}

// A second display beside the first is not a mirror; moved over it, it is; taken away, the
// mirror is over. The trigger follows each step as Qt reports it, and nothing after stop().
TEST(MirroredScreensTest, FollowsADisplayMovedOverAnotherAndAway) {
    setMonitor(QStringLiteral("LEFT"), QStringLiteral("512/135x768/203+0+0"),
               QStringLiteral("screen"));
    setMonitor(QStringLiteral("RIGHT"), QStringLiteral("512/135x768/203+512+0"),
               QStringLiteral("none"));
    ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::screens().size() == 2; }));

    MirroredScreens mirrored;
    QSignalSpy settled(&mirrored, &HideTrigger::settled);
    QSignalSpy changes(&mirrored, &HideTrigger::activeChanged);
    mirrored.start();
    EXPECT_TRUE(mirrored.isSettled());
    EXPECT_EQ(settled.count(), 1);
    EXPECT_FALSE(mirrored.isActive());

    xrandr({QStringLiteral("--delmonitor"), QStringLiteral("RIGHT")});
    setMonitor(QStringLiteral("PROJECTOR"), QStringLiteral("512/135x768/203+0+0"),
               QStringLiteral("none"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return mirrored.isActive(); }));
    EXPECT_EQ(changes.count(), 1);

    xrandr({QStringLiteral("--delmonitor"), QStringLiteral("PROJECTOR")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !mirrored.isActive(); }));
    EXPECT_EQ(changes.count(), 2);

    mirrored.stop();
    setMonitor(QStringLiteral("PROJECTOR"), QStringLiteral("512/135x768/203+0+0"),
               QStringLiteral("none"));
    ASSERT_TRUE(QTest::qWaitFor([] { return QGuiApplication::screens().size() == 2; }));
    EXPECT_FALSE(mirrored.isActive());
    EXPECT_EQ(changes.count(), 2);
}

}  // namespace
