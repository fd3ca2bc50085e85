#include "support/PrivateBus.h"

#include "support/EndProcess.h"

#include <QDeadlineTimer>

#include <algorithm>

namespace hushpane::test {

namespace {

constexpr int kStartTimeoutMs = 10000;

}  // namespace

PrivateBus::PrivateBus(const QProcessEnvironment& environment) {
    daemon_.setProcessEnvironment(environment);
    daemon_.start(QStringLiteral("dbus-daemon"),
                  {QStringLiteral("--session"), QStringLiteral("--nofork"),
                   QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (!daemon_.waitForStarted(kStartTimeoutMs)) {
        error_ = QStringLiteral("dbus-daemon did not start: ") + daemon_.errorString();
        return;
    }
    const QDeadlineTimer deadline(kStartTimeoutMs);
    while (!daemon_.canReadLine() && !deadline.hasExpired() &&
           daemon_.state() == QProcess::Running) {
        daemon_.waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)));
    }
    address_ = QString::fromLocal8Bit(daemon_.readLine()).trimmed();
    if (address_.isEmpty()) {
        error_ = QStringLiteral("dbus-daemon printed no address: ") +
                 QString::fromLocal8Bit(daemon_.readAllStandardError());
    }
}

PrivateBus::~PrivateBus() {
    endProcess(daemon_);
}

}  // namespace hushpane::test
