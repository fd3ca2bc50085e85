#include "common/Logging.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#ifdef HUSHPANE_HAVE_JOURNAL
#include <systemd/sd-journal.h>
#endif

namespace hushpane {

Q_LOGGING_CATEGORY(lcDesktop, "app.hushpane.desktop", QtInfoMsg)
Q_LOGGING_CATEGORY(lcPreferences, "app.hushpane.preferences", QtInfoMsg)

namespace {

constexpr auto kJournalSocket = "/run/systemd/journal/socket";

LogDestination chosenDestination = LogDestination::standardError;

void writeToStandardError(QtMsgType type, const QMessageLogContext& context,
                          const QString& message) {
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit();
    std::fprintf(stderr, "%s\n", line.constData());
    std::fflush(stderr);
}

#ifdef HUSHPANE_HAVE_JOURNAL
int syslogPriority(QtMsgType type) {
    switch (type) {
        case QtDebugMsg:
            return 7;  // LOG_DEBUG
        case QtInfoMsg:
            return 6;  // LOG_INFO
        case QtWarningMsg:
            return 4;  // LOG_WARNING
        case QtCriticalMsg:
            return 3;  // LOG_ERR
        case QtFatalMsg:
            return 2;  // LOG_CRIT
    }
    return 6;
}

bool writeToJournal(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    const QByteArray text = message.toUtf8();
    const char* identifier = context.category ? context.category : "hushpane";
    const char* file = context.file ? context.file : "";
    const char* function = context.function ? context.function : "";
    return sd_journal_send("MESSAGE=%s", text.constData(), "PRIORITY=%i", syslogPriority(type),
                           "SYSLOG_IDENTIFIER=%s", identifier, "CODE_FILE=%s", file, "CODE_LINE=%d",
                           context.line, "CODE_FUNC=%s", function, nullptr) >= 0;
}
#endif

void routeMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
#ifdef HUSHPANE_HAVE_JOURNAL
    if (chosenDestination == LogDestination::journal && writeToJournal(type, context, message)) {
        return;
    }
#endif
    writeToStandardError(type, context, message);
}

bool isJournalStream(const struct stat& stderrStat) {
    // "device:inode" of the stream systemd connected to the journal.
    const QByteArray stream = qgetenv("JOURNAL_STREAM");
    const qsizetype colon = stream.indexOf(':');
    if (colon <= 0) {
        return false;
    }
    bool deviceOk = false;
    bool inodeOk = false;
    const qulonglong device = stream.left(colon).toULongLong(&deviceOk);
    const qulonglong inode = stream.mid(colon + 1).toULongLong(&inodeOk);
    return deviceOk && inodeOk && device == stderrStat.st_dev && inode == stderrStat.st_ino;
}

}  // namespace

LogDestination chooseLogDestination(const LogStreamFacts& facts) {
    if (!facts.journalAvailable || facts.stderrIsTerminal) {
        return LogDestination::standardError;
    }
    if (facts.stderrIsJournalStream || facts.stderrIsDiscarded) {
        return LogDestination::journal;
    }
    // A pipe or a file: somebody asked for the messages there.
    return LogDestination::standardError;
}

LogStreamFacts currentLogStreamFacts() {
    LogStreamFacts facts;
#ifdef HUSHPANE_HAVE_JOURNAL
    facts.journalAvailable = ::access(kJournalSocket, W_OK) == 0;
#else
    (void)kJournalSocket;
#endif
    facts.stderrIsTerminal = ::isatty(STDERR_FILENO) == 1;
    struct stat stderrStat {};
    if (::fstat(STDERR_FILENO, &stderrStat) != 0) {
        facts.stderrIsDiscarded = true;
        return facts;
    }
    facts.stderrIsJournalStream = isJournalStream(stderrStat);
    facts.stderrIsDiscarded = S_ISCHR(stderrStat.st_mode) && !facts.stderrIsTerminal;
    return facts;
}

void installLogHandler() {
    chosenDestination = chooseLogDestination(currentLogStreamFacts());
    qInstallMessageHandler(routeMessage);
}

}  // namespace hushpane
