#include "backends/linux/BusDesktopProgram.h"

#include "backends/linux/AwaitAnswer.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusServiceWatcher>
#include <QProcess>
#include <QTimer>

#include <memory>
#include <utility>

namespace hushpane {

BusDesktopProgram::BusDesktopProgram(QDBusConnection bus, QString busName, QString name,
                                     QStringList command, int timeoutMs)
    : bus_(std::move(bus)),
      busName_(std::move(busName)),
      name_(std::move(name)),
      command_(std::move(command)),
      timeoutMs_(timeoutMs) {}

bool BusDesktopProgram::isRegistered() const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("NameHasOwner"));
    call << busName_;
    const QDBusReply<bool> reply = bus_.call(call, QDBus::Block, timeoutMs_);
    return reply.isValid() && reply.value();
}

DesktopProgram::State BusDesktopProgram::state() {
    if (!isRegistered()) {
        return State::notRunning;
    }
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        busName_, QStringLiteral("/"), QStringLiteral("org.freedesktop.DBus.Peer"),
        QStringLiteral("Ping"));
    const QDBusMessage reply = bus_.call(ping, QDBus::Block, timeoutMs_);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        return State::answering;
    }
    // It may have gone between the two calls.
    return isRegistered() ? State::notAnswering : State::notRunning;
}

bool BusDesktopProgram::leavesWithin(int ms) {
    return awaitAnswer<bool>([this, ms](const auto& done) { whenLeft(ms, done); });
}

std::optional<QString> BusDesktopProgram::launchFailure(bool started) const {
    if (command_.isEmpty()) {
        return QCoreApplication::translate("hushpane::BusDesktopProgram",
                                           "Hushpane does not start %1")
            .arg(name_);
    }
    if (!started) {
        return QCoreApplication::translate("hushpane::BusDesktopProgram", "%1 could not be started")
            .arg(command_.constFirst());
    }
    return QCoreApplication::translate("hushpane::BusDesktopProgram",
                                       "%1 was started but did not appear within %2 seconds")
        .arg(name_)
        .arg(kLaunchTimeoutMs / 1000);
}

std::optional<QString> BusDesktopProgram::launch() {
    return awaitAnswer<std::optional<QString>>([this](const auto& done) { launchThen(done); });
}

void BusDesktopProgram::launchThen(const std::function<void(const std::optional<QString>&)>& done) {
    if (command_.isEmpty()) {
        done(launchFailure(false));
        return;
    }
    if (!QProcess::startDetached(command_.constFirst(), command_.mid(1))) {
        done(launchFailure(false));
        return;
    }
    whenOwned(true, kLaunchTimeoutMs,
              [this, done](bool appeared) { done(appeared ? std::nullopt : launchFailure(true)); });
}

void BusDesktopProgram::whenLeft(int ms, const std::function<void(bool left)>& done) {
    whenOwned(false, ms, done);
}

void BusDesktopProgram::whenOwned(bool owned, int ms,
                                  const std::function<void(bool reached)>& done) const {
    // Watching first, so a change between the question and the watch is not missed.
    auto* watcher = new QDBusServiceWatcher(busName_, bus_,
                                            owned ? QDBusServiceWatcher::WatchForRegistration
                                                  : QDBusServiceWatcher::WatchForUnregistration);
    auto* deadline = new QTimer(watcher);
    deadline->setSingleShot(true);
    auto finished = std::make_shared<bool>(false);
    auto finish = [this, watcher, owned, done, finished] {
        if (std::exchange(*finished, true)) {
            return;
        }
        watcher->deleteLater();
        done(isRegistered() == owned);
    };
    QObject::connect(
        watcher,
        owned ? &QDBusServiceWatcher::serviceRegistered : &QDBusServiceWatcher::serviceUnregistered,
        watcher, finish);
    QObject::connect(deadline, &QTimer::timeout, watcher, finish);
    if (isRegistered() == owned) {
        // Already there: answered from the event loop all the same, as a caller expects.
        deadline->start(0);
        return;
    }
    deadline->start(ms);
}

}  // namespace hushpane
