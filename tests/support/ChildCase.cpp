#include "support/ChildCase.h"

#include "support/PrivateSession.h"

#include <QCoreApplication>

namespace hushpane::test {

std::optional<QProcess::ExitStatus> runChildCase(const PrivateSession& session,
                                                 const QString& filter,
                                                 const QProcessEnvironment& variables,
                                                 int timeoutMs) {
    QProcessEnvironment environment = session.environment();
    environment.insert(QStringLiteral("HUSHPANE_TEST_KEEP_HOME"), QStringLiteral("1"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(variables);
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=") + filter});
    if (!child.waitForFinished(timeoutMs)) {
        child.kill();
        child.waitForFinished(timeoutMs);
        return std::nullopt;
    }
    return child.exitStatus();
}

}  // namespace hushpane::test
