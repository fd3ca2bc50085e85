#include "backends/xfce/XfconfClient.h"

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusError>
#include <QDBusMessage>
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
    : caller_(std::move(bus), QString::fromLatin1(kService), QString::fromLatin1(kPath), timeoutMs,
              quietPeriodMs, errorText) {}

XfconfClient::Value XfconfClient::property(const QString& channel, const QString& property) const {
    QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
        QStringLiteral("GetProperty"));
    call << channel << property;
    const QDBusMessage reply = caller_.call(call);
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
    const QDBusMessage reply = caller_.call(call);
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
    const QDBusMessage reply = caller_.call(call);
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
    const QDBusMessage reply = caller_.call(call);
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
