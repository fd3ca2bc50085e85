#include "backends/linux/BusDesktopProgram.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDeadlineTimer>
#include <QProcess>
#include <QThread>

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
    const QDeadlineTimer deadline(ms);
    while (isRegistered()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QThread::msleep(50);
    }
    return true;
}

std::optional<QString> BusDesktopProgram::launch() {
    if (command_.isEmpty()) {
        return QCoreApplication::translate("hushpane::BusDesktopProgram",
                                           "Hushpane does not start %1")
            .arg(name_);
    }
    if (!QProcess::startDetached(command_.constFirst(), command_.mid(1))) {
        return QCoreApplication::translate("hushpane::BusDesktopProgram", "%1 could not be started")
            .arg(command_.constFirst());
    }
    const QDeadlineTimer deadline(kLaunchTimeoutMs);
    while (!deadline.hasExpired()) {
        if (isRegistered()) {
            return std::nullopt;
        }
        QThread::msleep(50);
    }
    return QCoreApplication::translate("hushpane::BusDesktopProgram",
                                       "%1 was started but did not appear within %2 seconds")
        .arg(name_)
        .arg(kLaunchTimeoutMs / 1000);
}

}  // namespace hushpane
