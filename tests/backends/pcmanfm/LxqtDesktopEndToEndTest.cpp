// The LXQt switch against the real pcmanfm-qt in a session of the shell harness (part
// desktop=lxqt), with a real folder window: a window of its own refuses the hide before the
// desktop goes off, and an instance that stays without any window no longer blocks it.

#include "support/HarnessDesktop.h"

#include "backends/lxqt/LxqtDesktopSwitch.h"
#include "backends/pcmanfm/PcmanfmDesktopProgram.h"
#include "backends/x11/X11ProcessWindows.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

namespace hushpane {
namespace {

using test::HarnessDesktop;

constexpr int kWaitMs = 30000;

// The windows of a process as xdotool finds them: the desktop's window among them.
QString windowsOf(qint64 pid) {
    QProcess search;
    search.start(QStringLiteral("xdotool"),
                 {QStringLiteral("search"), QStringLiteral("--pid"), QString::number(pid)});
    search.waitForFinished(kWaitMs);
    return QString::fromUtf8(search.readAllStandardOutput()).trimmed();
}

class LxqtDesktopEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.isValid()) << desktop.error().toStdString();
        const QList<qint64> pids =
            HarnessDesktop::processesInThisSession(QStringLiteral("pcmanfm-qt"));
        ASSERT_EQ(pids.size(), 1);
        pid = pids.constFirst();
        // A second pcmanfm-qt hands its folder over only once the first one owns its name.
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const QDBusReply<uint> owner =
                    QDBusConnection::sessionBus().interface()->servicePid(
                        QString::fromLatin1(LxqtDesktopSwitch::kBusName));
                return owner.isValid() && owner.value() == pid;
            },
            kWaitMs));
    }

    // A folder window, opened as a second pcmanfm-qt hands it to the running one.
    void openFolderWindow() const {
        ASSERT_EQ(QProcess::execute(QStringLiteral("pcmanfm-qt"),
                                    {qEnvironmentVariable("HOME") + QStringLiteral("/Desktop")}),
                  0);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return X11ProcessWindows::openWindows(pid).value_or(0) == 1; }, kWaitMs));
    }

    HarnessDesktop desktop;
    qint64 pid = 0;
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    PcmanfmDesktopProgram program{LxqtDesktopSwitch::programOptions()};
    LxqtDesktopSwitch desktopSwitch{program, defaults};
};

TEST_F(LxqtDesktopEndToEnd, AnOpenWindowRefusesTheHideAtOnceAndOneThatWentAwayNoLongerBlocksIt) {
    openFolderWindow();
    const QString windows = windowsOf(pid);
    const std::optional<QString> refused = desktopSwitch.setCreatesDesktop(false);
    ASSERT_TRUE(refused);
    EXPECT_TRUE(refused->contains(QStringLiteral("close its windows"))) << refused->toStdString();
    // The desktop never went off: the same process shows the same windows.
    EXPECT_EQ(HarnessDesktop::processesInThisSession(QStringLiteral("pcmanfm-qt")),
              QList<qint64>{pid});
    EXPECT_EQ(windowsOf(pid), windows);
    EXPECT_EQ(desktop.query(QStringLiteral("desktop_icons_state")), QString());

    // The window's X window destroyed behind pcmanfm-qt's back: nothing is on screen, yet the
    // instance keeps running once its desktop is off.
    const QString folder = windowsOf(pid).split(QLatin1Char('\n')).constLast();
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("windowclose"), folder}),
              0);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return X11ProcessWindows::openWindows(pid).value_or(-1) == 0; }, kWaitMs));
    EXPECT_EQ(desktopSwitch.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(desktop.query(QStringLiteral("desktop_icons_state")), QStringLiteral("true"));
    EXPECT_EQ(desktopSwitch.setCreatesDesktop(true), std::nullopt);
    EXPECT_TRUE(desktopSwitch.createsDesktop());
}

}  // namespace
}  // namespace hushpane
