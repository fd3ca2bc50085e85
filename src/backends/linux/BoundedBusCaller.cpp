#include "backends/linux/BoundedBusCaller.h"

#include <QDBusError>
#include <QDBusPendingCallWatcher>
#include <QDeadlineTimer>

namespace hushpane {

namespace {

// A stopped daemon answers queued calls as soon as it runs again, so one long wait is enough;
// should it end unanswered, the next timeout of a real call pings again.
constexpr int kPingWaitMs = 60 * 60 * 1000;

bool isTimeoutType(QDBusError::ErrorType type) {
    return type == QDBusError::NoReply || type == QDBusError::Timeout ||
           type == QDBusError::TimedOut;
}

}  // namespace

struct BoundedBusCaller::Silence {
    QDeadlineTimer until{0};
    QString message;
    bool pinging = false;
    std::function<void()> recovered;
};

BoundedBusCaller::BoundedBusCaller(QDBusConnection bus, const QString& service, const QString& path,
                                   int timeoutMs, int quietPeriodMs, Describe describeTimeout)
    : bus_(std::move(bus)),
      service_(service),
      path_(path),
      timeoutMs_(timeoutMs),
      quietPeriodMs_(quietPeriodMs),
      describeTimeout_(std::move(describeTimeout)),
      silence_(std::make_shared<Silence>()) {}

bool BoundedBusCaller::isTimeout(const QDBusMessage& reply) {
    return reply.type() == QDBusMessage::ErrorMessage && isTimeoutType(QDBusError(reply).type());
}

QDBusMessage BoundedBusCaller::call(const QDBusMessage& message) const {
    if (isSilenced()) {
        return message.createErrorReply(QDBusError::NoReply, silence_->message);
    }
    const QDBusMessage reply = bus_.call(message, QDBus::Block, timeoutMs_);
    if (isTimeout(reply)) {
        silence_->message = describeTimeout_ ? describeTimeout_(reply) : reply.errorMessage();
        silence_->until = QDeadlineTimer(quietPeriodMs_);
        waitForAnswer();
        return message.createErrorReply(QDBusError::NoReply, silence_->message);
    }
    return reply;
}

void BoundedBusCaller::callThen(const QDBusMessage& message,
                                const std::function<void(const QDBusMessage& reply)>& done) const {
    if (isSilenced()) {
        done(message.createErrorReply(QDBusError::NoReply, silence_->message));
        return;
    }
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(message, timeoutMs_));
    QObject::connect(
        watcher, &QDBusPendingCallWatcher::finished, watcher,
        [caller = *this, message, done](QDBusPendingCallWatcher* finished) {
            finished->deleteLater();
            const QDBusMessage reply = finished->reply();
            if (!isTimeout(reply)) {
                done(reply);
                return;
            }
            caller.silence_->message =
                caller.describeTimeout_ ? caller.describeTimeout_(reply) : reply.errorMessage();
            caller.silence_->until = QDeadlineTimer(caller.quietPeriodMs_);
            caller.waitForAnswer();
            done(message.createErrorReply(QDBusError::NoReply, caller.silence_->message));
        });
}

bool BoundedBusCaller::isSilenced() const {
    return !silence_->until.hasExpired();
}

void BoundedBusCaller::endSilence() const {
    silence_->until = QDeadlineTimer(0);
}

void BoundedBusCaller::setRecoveryHandler(std::function<void()> handler) const {
    silence_->recovered = std::move(handler);
}

void BoundedBusCaller::waitForAnswer() const {
    if (silence_->pinging) {
        return;
    }
    silence_->pinging = true;
    QDBusMessage ping = QDBusMessage::createMethodCall(
        service_, path_, QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    // Asking whether it answers must never start a daemon.
    ping.setAutoStartService(false);
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(ping, kPingWaitMs));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [silence = silence_](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         silence->pinging = false;
                         if (isTimeoutType(finished->error().type())) {
                             return;
                         }
                         // Any answer, even "not running", means calls no longer hang.
                         silence->until = QDeadlineTimer(0);
                         if (silence->recovered) {
                             silence->recovered();
                         }
                     });
}

}  // namespace hushpane
