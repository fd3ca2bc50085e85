#pragma once

#include <QLoggingCategory>

namespace hushpane {

// The application's bundle identifier, used as log subsystem and defaults domain.
inline constexpr auto kBundleIdentifier = "app.hushpane";

// "app.hushpane.desktop": the desktop controller's log.
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
// "app.hushpane.preferences": the preference files.
Q_DECLARE_LOGGING_CATEGORY(lcPreferences)

// Where log messages go. A program started by the session has nobody reading its standard
// error, so it writes to the journal; started from a terminal or with its standard error
// captured, it writes there.
enum class LogDestination { standardError, journal };

struct LogStreamFacts {
    bool stderrIsTerminal = false;
    bool stderrIsJournalStream = false;  // systemd connected it to the journal (JOURNAL_STREAM)
    bool stderrIsDiscarded = false;      // closed, or a device that is not a terminal (/dev/null)
    bool journalAvailable = false;       // the journal's socket exists
};

LogDestination chooseLogDestination(const LogStreamFacts& facts);

// What this process's standard error is connected to.
LogStreamFacts currentLogStreamFacts();

// Routes every message of the process by chooseLogDestination(currentLogStreamFacts()). In the
// journal the message's category is the syslog identifier (journalctl -t app.hushpane.desktop).
// A message the journal refuses goes to standard error.
void installLogHandler();

}  // namespace hushpane
