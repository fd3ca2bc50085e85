// pcmanfm-qt's desktop program on a private bus, played by a stand-in that can hang while it
// starts (tests/bin/stand-in-pcmanfm-qt/pcmanfm-qt): a desktop that owns its bus name but
// never draws is ended, started once more, and reported when that does not help either.

#include "support/LogCapture.h"
#include "support/PrivateSession.h"
#include "support/TestPaths.h"

#include "backends/lxqt/LxqtDesktopSwitch.h"
#include "backends/pcmanfm/PcmanfmDesktopProgram.h"

#include <QDir>
#include <QFile>
#include <QTest>

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

TEST_F(PcmanfmQtHang, ADesktopThatKeepsHangingIsReportedAndEndedSoALaterStartCanWork) {
    PcmanfmDesktopProgram program(options);
    hangNextStarts(2);
    EXPECT_EQ(program.launch(), QStringLiteral("pcmanfm-qt did not draw the desktop again"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return standIns().isEmpty(); }, 5000))
        << standIns().size() << " hung desktops are left";
    EXPECT_EQ(program.state(), DesktopProgram::State::notRunning);

    EXPECT_EQ(program.launch(), std::nullopt);
    EXPECT_EQ(program.state(), DesktopProgram::State::answering);
}

}  // namespace
}  // namespace hushpane
