#pragma once

#include "platform/ProcessLauncher.h"

#include <QList>

namespace hushpane::test {

// Records what would have been started. A non-empty `launchError` makes launches fail with
// that description; otherwise every process "exits" with `exitStatus`.
class InMemoryProcessLauncher : public ProcessLauncher {
public:
    struct Call {
        QString executable;
        QStringList arguments;
    };

    Launch launch(const QString& executable, const QStringList& arguments) override;
    int waitUntilExit(ProcessId process) override;

    QList<Call> launches;
    QList<ProcessId> waited;
    QString launchError;
    int exitStatus = 0;

private:
    ProcessId next_ = 1000;
};

}  // namespace hushpane::test
