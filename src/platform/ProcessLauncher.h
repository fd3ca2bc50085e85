#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace hushpane {

// Starts other programs the way a process class does: an executable path and its arguments,
// never a shell; the child inherits our environment, working directory and standard streams.
class ProcessLauncher {
public:
    using ProcessId = qint64;

    struct Launch {
        std::optional<ProcessId> process;  // set when the child is running
        QString errorDescription;          // readable reason when it could not be started
    };

    virtual ~ProcessLauncher() = default;

    virtual Launch launch(const QString& executable, const QStringList& arguments) = 0;

    // Blocks until the process has ended. Returns its exit status, or the number of the
    // signal that ended it.
    virtual int waitUntilExit(ProcessId process) = 0;
};

}  // namespace hushpane
