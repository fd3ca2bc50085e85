#pragma once

#include "platform/ProcessLauncher.h"

namespace hushpane {

// posix_spawn / waitpid. No shell, no PATH search: the executable is a path.
class PosixProcessLauncher : public ProcessLauncher {
public:
    Launch launch(const QString& executable, const QStringList& arguments) override;
    int waitUntilExit(ProcessId process) override;
};

}  // namespace hushpane
