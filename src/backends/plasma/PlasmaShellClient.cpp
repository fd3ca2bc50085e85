#include "backends/plasma/PlasmaShellClient.h"

#include <QDBusError>
#include <QDBusMessage>

namespace hushpane {

PlasmaShellClient::PlasmaShellClient(QDBusConnection bus, int timeoutMs, int quietPeriodMs)
    : caller_(std::move(bus), QString::fromLatin1(kService), QString::fromLatin1(kPath), timeoutMs,
              quietPeriodMs, [timeoutMs](const QDBusMessage&) {
                  return tr("plasmashell doesn't answer (waited %1 ms)").arg(timeoutMs);
              }) {}

PlasmaScripting::Reply PlasmaShellClient::evaluateScript(const QString& script) {
    if (!caller_.bus().isConnected()) {
        return {std::nullopt, tr("there is no session bus to reach plasmashell on")};
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("evaluateScript"));
    call << script;
    const QDBusMessage reply = caller_.call(call);
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
    if (BoundedBusCaller::isTimeout(reply)) {
        return {std::nullopt, reply.errorMessage()};
    }
    return {std::nullopt, tr("plasmashell refused the script: %1")
                              .arg(reply.errorMessage().isEmpty() ? name : reply.errorMessage())};
}

}  // namespace hushpane
