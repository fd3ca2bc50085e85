#include "backends/plasma/PlasmaShellClient.h"

#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>

namespace hushpane {

PlasmaShellClient::PlasmaShellClient(QDBusConnection bus, int timeoutMs, int quietPeriodMs)
    : bus_(std::move(bus)),
      timeoutMs_(timeoutMs),
      quietPeriodMs_(quietPeriodMs),
      silence_(std::make_shared<Silence>()) {}

PlasmaScripting::Reply PlasmaShellClient::evaluateScript(const QString& script) {
    if (isSilenced()) {
        return {std::nullopt, silence_->message};
    }
    if (!bus_.isConnected()) {
        return {std::nullopt, tr("there is no session bus to reach plasmashell on")};
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = bus_.call(call, QDBus::Block, timeoutMs_);
    if (reply.type() == QDBusMessage::ReplyMessage) {
        const QList<QVariant> arguments = reply.arguments();
        if (arguments.size() != 1 || arguments.constFirst().typeId() != QMetaType::QString) {
            return {std::nullopt, tr("plasmashell answered the script with something other "
                                     "than a text")};
        }
        return {arguments.constFirst().toString(), std::nullopt};
    }
    const QString name = reply.errorName();
    if (name == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
        name == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        return {std::nullopt, tr("plasmashell is not running")};
    }
    if (name == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
        name == QLatin1String("org.freedesktop.DBus.Error.Timeout")) {
        silence_->message = tr("plasmashell doesn't answer (waited %1 ms)").arg(timeoutMs_);
        silence_->until = QDeadlineTimer(quietPeriodMs_);
        waitForAnswer();
        return {std::nullopt, silence_->message};
    }
    return {std::nullopt, tr("plasmashell refused the script: %1")
                              .arg(reply.errorMessage().isEmpty() ? name : reply.errorMessage())};
}

void PlasmaShellClient::waitForAnswer() {
    if (silence_->pinging) {
        return;
    }
    silence_->pinging = true;
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    // Waits as long as it takes; the quiet period is what bounds the silence.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(ping, 60 * 60 * 1000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [silence = silence_](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         silence->pinging = false;
                         // Any answer, even "not running", means calls no longer hang.
                         silence->until = QDeadlineTimer(0);
                     });
}

}  // namespace hushpane
