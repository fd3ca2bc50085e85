#include "common/Logging.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

using namespace hushpane;

namespace {

// Points this process's standard error somewhere else for the life of the object.
class StderrRedirect {
public:
    explicit StderrRedirect(int fd) : saved_(::dup(STDERR_FILENO)) {
        std::fflush(stderr);
        ::dup2(fd, STDERR_FILENO);
    }
    ~StderrRedirect() {
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
    }
    StderrRedirect(const StderrRedirect&) = delete;
    StderrRedirect& operator=(const StderrRedirect&) = delete;

private:
    int saved_;
};

std::string drain(int fd) {
    std::string text;
    char buffer[512];
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

}  // namespace

TEST(Logging, TheJournalOnlyWhenNobodyReadsStandardError) {
    const auto choose = [](bool terminal, bool journalStream, bool discarded, bool journal) {
        return chooseLogDestination({terminal, journalStream, discarded, journal});
    };
    // Started by the session: stderr is the journal's stream, or goes nowhere.
    EXPECT_EQ(choose(false, true, false, true), LogDestination::journal);
    EXPECT_EQ(choose(false, false, true, true), LogDestination::journal);
    // A terminal, a pipe or a file: whoever is there gets the messages.
    EXPECT_EQ(choose(true, false, false, true), LogDestination::standardError);
    EXPECT_EQ(choose(false, false, false, true), LogDestination::standardError);
    // No journal on this system: standard error in every case.
    EXPECT_EQ(choose(false, true, false, false), LogDestination::standardError);
    EXPECT_EQ(choose(false, false, true, false), LogDestination::standardError);
}

TEST(Logging, ReadsWhatStandardErrorIsConnectedTo) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    {
        const StderrRedirect toPipe(pipeEnds[1]);
        const LogStreamFacts facts = currentLogStreamFacts();
        EXPECT_FALSE(facts.stderrIsTerminal);
        EXPECT_FALSE(facts.stderrIsDiscarded);
        EXPECT_FALSE(facts.stderrIsJournalStream);

        struct stat pipeStat {};
        ASSERT_EQ(::fstat(pipeEnds[1], &pipeStat), 0);
        qputenv("JOURNAL_STREAM", QByteArray::number(static_cast<qulonglong>(pipeStat.st_dev)) +
                                      ':' +
                                      QByteArray::number(static_cast<qulonglong>(pipeStat.st_ino)));
        EXPECT_TRUE(currentLogStreamFacts().stderrIsJournalStream);
        qputenv("JOURNAL_STREAM", "1:2");  // some other stream, inherited from a parent
        EXPECT_FALSE(currentLogStreamFacts().stderrIsJournalStream);
        qputenv("JOURNAL_STREAM", "garbage");
        EXPECT_FALSE(currentLogStreamFacts().stderrIsJournalStream);
        qunsetenv("JOURNAL_STREAM");
    }
    const int devNull = ::open("/dev/null", O_WRONLY);
    ASSERT_GE(devNull, 0);
    {
        const StderrRedirect toNowhere(devNull);
        EXPECT_TRUE(currentLogStreamFacts().stderrIsDiscarded);
    }
    ::close(devNull);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

TEST(Logging, MessagesReachACapturedStandardErrorWithTheirCategory) {
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    {
        const StderrRedirect toPipe(pipeEnds[1]);
        qSetMessagePattern(QStringLiteral("%{category}: %{message}"));
        installLogHandler();
        qCInfo(lcDesktop, "hide requested");
        qCWarning(lcPreferences, "Couldn't read %s", "x.plist");
        qInstallMessageHandler(nullptr);
        qSetMessagePattern(QString());
    }
    const std::string written = drain(pipeEnds[0]);
    EXPECT_NE(written.find("app.hushpane.desktop: hide requested\n"), std::string::npos) << written;
    EXPECT_NE(written.find("app.hushpane.preferences: Couldn't read x.plist\n"), std::string::npos)
        << written;
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}
