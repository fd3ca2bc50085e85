#include "fakes/InMemoryProcessLauncher.h"

namespace hushpane::test {

ProcessLauncher::Launch InMemoryProcessLauncher::launch(const QString& executable,
                                                        const QStringList& arguments) {
    launches.append({executable, arguments});
    if (!launchError.isEmpty()) {
        return {std::nullopt, launchError};
    }
    return {next_++, {}};
}

int InMemoryProcessLauncher::waitUntilExit(ProcessId process) {
    waited.append(process);
    return exitStatus;
}

}  // namespace hushpane::test
