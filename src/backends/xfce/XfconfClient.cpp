#include "backends/xfce/XfconfClient.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>

namespace hushpane {

namespace {

constexpr auto kPropertyNotFound = "org.xfce.Xfconf.Error.PropertyNotFound";
constexpr auto kChannelNotFound = "org.xfce.Xfconf.Error.ChannelNotFound";

QString errorText(const QDBusMessage& reply) {
    if (!reply.errorMessage().isEmpty()) {
        return reply.errorMessage();
    }
    if (!reply.errorName().isEmpty()) {
        return reply.errorName();
    }
    return QCoreApplication::translate("hushpane::XfconfClient",
                                       "no answer from the xfconf daemon");
}

QVariant unwrap(QVariant value) {
    while (value.typeId() == qMetaTypeId<QDBusVariant>()) {
        value = value.value<QDBusVariant>().variant();
    }
    return value;
}

}  // namespace

XfconfClient::XfconfClient(QDBusConnection bus, int timeoutMs, int quietPeriodMs)
    : bus_(std::move(bus)),
      timeoutMs_(timeoutMs),
      quietPeriodMs_(quietPeriodMs),
      silence_(std::make_shared<Silence>()) {}

QDBusMessage XfconfClient::send(const QDBusMessage& message) const {
    if (!silence_->until.hasExpired()) {
        return message.createErrorReply(QDBusError::NoReply, silence_->message);
    }
    const QDBusMessage reply = bus_.call(message, QDBus::Block, timeoutMs_);
    const QDBusError::ErrorType type = QDBusError(reply).type();
    if (reply.type() == QDBusMessage::ErrorMessage &&
        (type == QDBusError::NoReply || type == QDBusError::Timeout ||
         type == QDBusError::TimedOut)) {
        silence_->until = QDeadlineTimer(quietPeriodMs_);
        silence_->message = errorText(reply);
        waitForAnswer(bus_, silence_);
    }
    return reply;
}

void XfconfClient::setRecoveryHandler(std::function<void()> handler) const {
    silence_->recovered = std::move(handler);
}

void XfconfClient::waitForAnswer(const QDBusConnection& bus,
                                 const std::shared_ptr<Silence>& silence) {
    if (silence->pinging) {
        return;
    }
    silence->pinging = true;
    const QDBusMessage ping = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    // A stopped daemon answers queued calls as soon as it runs again, so one long wait is
    // enough; should it end unanswered, the next timeout of a real call pings again.
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(ping, 60 * 60 * 1000));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [silence](QDBusPendingCallWatcher* finished) {
                         finished->deleteLater();
                         silence->pinging = false;
                         const QDBusError::ErrorType type = finished->error().type();
                         if (type == QDBusError::NoReply || type == QDBusError::Timeout ||
                             type == QDBusError::TimedOut) {
                             return;
                         }
                         silence->until = QDeadlineTimer(0);
                         if (silence->recovered) {
                             silence->recovered();
                         }
                     });
}

XfconfClient::Value XfconfClient::property(const QString& channel, const QString& property) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("GetProperty"));
    call << channel << property;
    const QDBusMessage reply = send(call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName() == QLatin1String(kPropertyNotFound)) {
            return {};
        }
        return {std::nullopt, errorText(reply)};
    }
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {std::nullopt, errorText(reply)};
    }
    return {unwrap(reply.arguments().constFirst()), std::nullopt};
}

XfconfClient::Properties XfconfClient::properties(const QString& channel,
                                                  const QString& base) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("GetAllProperties"));
    call << channel << base;
    const QDBusMessage reply = send(call);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (reply.errorName() == QLatin1String(kPropertyNotFound) ||
            reply.errorName() == QLatin1String(kChannelNotFound)) {
            return {};
        }
        return {{}, errorText(reply)};
    }
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return {{}, errorText(reply)};
    }
    Properties result;
    const QVariantMap all = qdbus_cast<QVariantMap>(reply.arguments().constFirst());
    for (auto it = all.cbegin(); it != all.cend(); ++it) {
        result.values.insert(it.key(), unwrap(it.value()));
    }
    return result;
}

std::optional<QString> XfconfClient::setProperty(const QString& channel, const QString& property,
                                                 const QVariant& value) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("SetProperty"));
    call << channel << property << QVariant::fromValue(QDBusVariant(value));
    const QDBusMessage reply = send(call);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return errorText(reply);
    }
    return std::nullopt;
}

std::optional<QString> XfconfClient::resetProperty(const QString& channel,
                                                   const QString& property) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("ResetProperty"));
    call << channel << property << false;
    const QDBusMessage reply = send(call);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return errorText(reply);
    }
    return std::nullopt;
}

std::optional<qint64> xfconfInteger(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UChar:
            return value.toLongLong();
        case QMetaType::QString: {
            bool ok = false;
            const qint64 n = value.toString().trimmed().toLongLong(&ok);
            return ok ? std::optional<qint64>(n) : std::nullopt;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace hushpane
