// pcmanfm-qt's desktop program and the LXQt switch on a private bus, pcmanfm-qt played by a
// stand-in that can hang while it starts (tests/bin/stand-in-pcmanfm-qt/pcmanfm-qt): a desktop
// that owns its bus name but never draws is ended, started once more, and reported when that
// does not help either, without holding the event loop meanwhile.

#include "support/LogCapture.h"
#include "support/PrivateSession.h"
#include "support/TestPaths.h"

#include "backends/lxqt/LxqtDesktopSwitch.h"
#include "backends/pcmanfm/PcmanfmDesktopProgram.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>

namespace hushpane {
namespace {

class PcmanfmQtHang : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        session.exportEnvironment();
        // The desktops of this case only: a display name nobody else uses.
        qputenv("DISPLAY", QByteArray(":hushpane-hang-") + QByteArray::number(::getpid()));
        qunsetenv("WAYLAND_DISPLAY");
        const QByteArray standIn =
            (test::buildDirectory() + QStringLiteral("/tests/bin/stand-in-pcmanfm-qt"))
                .toLocal8Bit();
        qputenv("PATH", standIn + ':' + qgetenv("PATH"));
        qputenv("HUSHPANE_STAND_IN_HANGS", hangsFile().toLocal8Bit());
        options = LxqtDesktopSwitch::programOptions();
        options.bus = session.bus();
        options.launchTimeoutMs = 2000;
    }
    void TearDown() override {
        for (const qint64 pid : standIns()) {
            ::kill(static_cast<pid_t>(pid), SIGKILL);
        }
    }

    QString hangsFile() const { return session.home() + QStringLiteral("/hangs"); }
    void hangNextStarts(int count) const {
        QFile file(hangsFile());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::number(count));
    }
    // The stand-in desktops on this case's display that have not ended.
    QList<qint64> standIns() const {
        QList<qint64> pids;
        const QByteArray display = "DISPLAY=" + qgetenv("DISPLAY");
        for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
            QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
            if (!environ.open(QIODevice::ReadOnly) ||
                !environ.readAll().split('\0').contains(display) ||
                !stat.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QByteArray state = stat.readAll();
            if (state.contains("(pcmanfm-qt) ") && !state.contains(") Z")) {
                pids.append(pid.toLongLong());
            }
        }
        return pids;
    }

    test::PrivateSession session;
    PcmanfmDesktopProgram::Options options;
};

TEST_F(PcmanfmQtHang, ADesktopThatHangsOnceIsEndedAndStartedAgain) {
    PcmanfmDesktopProgram program(options);
    hangNextStarts(1);
    test::LogCapture log;
    EXPECT_EQ(program.launch(), std::nullopt);
    EXPECT_EQ(program.state(), DesktopProgram::State::answering);
    EXPECT_EQ(standIns().size(), 1) << "the hung desktop is still there";
    const QList<test::LogLine> lines = log.lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const test::LogLine& line) {
        return line.message.contains(QStringLiteral("did not draw the desktop within 2000 ms"));
    }));

    // A later change goes through the restarted desktop as usual.
    EXPECT_EQ(program.restart([] { return std::nullopt; }), std::nullopt);
    EXPECT_EQ(standIns().size(), 1);
}

// Hiding restarts the desktop; when it hangs both times the hide fails with the reason, the
// user's settings go back, the desktop is started with them, and the next hide works.
TEST_F(PcmanfmQtHang, AHideWhoseDesktopKeepsHangingFailsSaysWhyAndTheNextOneWorks) {
    PcmanfmDesktopProgram program(options);
    ASSERT_EQ(program.launch(), std::nullopt);
    const QString settings = program.profileDirectory() + QStringLiteral("/settings.conf");
    ASSERT_TRUE(QDir().mkpath(program.profileDirectory()));
    QFile file(settings);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Desktop]\nWallpaper=/usr/share/wallpapers/mine.png\n");
    file.close();
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    LxqtDesktopSwitch desktop(program, defaults);

    hangNextStarts(2);
    const std::optional<QString> error = desktop.setCreatesDesktop(false);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("pcmanfm-qt did not draw the desktop again")))
        << error->toStdString();
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(standIns().size(), 1) << "hung desktops are left, or none was started again";

    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_FALSE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
}

// A hide whose desktop never draws is answered from the event loop: the switch returns at once,
// the loop keeps turning while the hung desktops are ended, and the answer says why.
TEST_F(PcmanfmQtHang, AHideWhoseDesktopNeverDrawsHoldsNothingWhileItWaits) {
    PcmanfmDesktopProgram program(options);
    ASSERT_EQ(program.launch(), std::nullopt);
    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    LxqtDesktopSwitch desktop(program, defaults);

    hangNextStarts(2);
    int turns = 0;
    QTimer loop;
    QObject::connect(&loop, &QTimer::timeout, [&turns] { ++turns; });
    loop.start(0);
    std::optional<std::optional<QString>> answer;
    int turnsAtAnswer = -1;
    desktop.requestCreatesDesktop(false, [&](const std::optional<QString>& failure) {
        answer = failure;
        turnsAtAnswer = turns;
    });
    EXPECT_FALSE(answer) << "answered before the desktop could draw";
    EXPECT_TRUE(QTest::qWaitFor([&] { return answer.has_value(); }, 30000));
    ASSERT_TRUE(answer && *answer);
    EXPECT_TRUE((*answer)->contains(QStringLiteral("pcmanfm-qt did not draw the desktop again")))
        << (*answer)->toStdString();
    EXPECT_GT(turnsAtAnswer, 0) << "the event loop did not turn while the desktop was waited for";
    EXPECT_EQ(standIns().size(), 1) << "hung desktops are left, or none was started again";
    EXPECT_TRUE(desktop.createsDesktop());
}

}  // namespace
}  // namespace hushpane
