#include "support/EndProcess.h"

#include <QProcess>

namespace hushpane::test {

void endProcess(QProcess& process) {
    if (process.state() == QProcess::NotRunning) {
        return;
    }
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

}  // namespace hushpane::test
