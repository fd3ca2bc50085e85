#pragma once

class QProcess;

namespace hushpane::test {

// Ends a child the harness started: SIGTERM, then SIGKILL when it has not gone within a few
// seconds. Returns at once for a child that is not running.
void endProcess(QProcess& process);

}  // namespace hushpane::test
