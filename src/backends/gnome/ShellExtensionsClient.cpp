#include "backends/gnome/ShellExtensionsClient.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QPointer>

namespace hushpane {

ShellExtensionsClient::ShellExtensionsClient(QDBusConnection bus, int timeoutMs, int quietPeriodMs,
                                             QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      timeoutMs_(timeoutMs),
      caller_(bus_, QString::fromLatin1(kService), QString::fromLatin1(kPath), timeoutMs,
              quietPeriodMs,
              [this](const QDBusMessage& reply) { return errorText(reply, timeoutMs_); }),
      switcher_(bus_, QString::fromLatin1(kService), QString::fromLatin1(kPath), kSwitchTimeoutMs,
                quietPeriodMs,
                [this](const QDBusMessage& reply) { return errorText(reply, kSwitchTimeoutMs); }),
      owner_(QString::fromLatin1(kService), bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    for (const BoundedBusCaller& caller : {caller_, switcher_}) {
        caller.setRecoveryHandler([self = QPointer<ShellExtensionsClient>(this)] {
            if (self) {
                self->changed();
            }
        });
    }
    // The Shell started again, or went: whatever was known about it is old.
    connect(&owner_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        caller_.endSilence();
        switcher_.endSilence();
        changed();
    });
}

ShellExtensionsClient::~ShellExtensionsClient() {
    if (listening_) {
        bus_.disconnect(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                        QString::fromLatin1(kInterface), QStringLiteral("ExtensionStateChanged"),
                        this, SLOT(extensionStateChanged(QString, QVariantMap)));
    }
}

void ShellExtensionsClient::setChangeHandler(std::function<void()> handler) {
    handler_ = std::move(handler);
    if (handler_ && !listening_) {
        listening_ =
            bus_.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                         QString::fromLatin1(kInterface), QStringLiteral("ExtensionStateChanged"),
                         this, SLOT(extensionStateChanged(QString, QVariantMap)));
    }
}

void ShellExtensionsClient::extensionStateChanged(const QString&, const QVariantMap&) {
    changed();
}

void ShellExtensionsClient::changed() {
    if (handler_) {
        handler_();
    }
}

QString ShellExtensionsClient::errorText(const QDBusMessage& reply, int waitedMs) const {
    if (reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner")) {
        return tr("GNOME Shell is not running (nothing owns %1 on the session bus)")
            .arg(QLatin1String(kService));
    }
    switch (QDBusError(reply).type()) {
        case QDBusError::ServiceUnknown:
            return tr("GNOME Shell is not running (nothing owns %1 on the session bus)")
                .arg(QLatin1String(kService));
        case QDBusError::UnknownMethod:
        case QDBusError::UnknownObject:
        case QDBusError::UnknownInterface:
            return tr("GNOME Shell offers no %1 interface").arg(QLatin1String(kInterface));
        case QDBusError::NoReply:
        case QDBusError::Timeout:
        case QDBusError::TimedOut:
            return tr("GNOME Shell doesn't answer (waited %1 s)").arg(waitedMs / 1000.0);
        default:
            return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    }
}

QDBusMessage ShellExtensionsClient::message(const QString& method, const QString& uuid) const {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), method);
    call << uuid;
    // Asking must never start a Shell.
    call.setAutoStartService(false);
    return call;
}

QDBusMessage ShellExtensionsClient::send(const QString& method, const QString& uuid) {
    return caller_.call(message(method, uuid));
}

std::optional<ShellExtensions::Info> ShellExtensionsClient::infoFrom(const QVariantMap& reply) {
    const QVariant state = reply.value(QStringLiteral("state"));
    bool isNumber = false;
    const double number = state.toDouble(&isNumber);
    if (!isNumber) {
        // The Shell answers an unknown uuid with an empty dictionary.
        return std::nullopt;
    }
    Info info;
    info.state = static_cast<int>(number);
    info.name = reply.value(QStringLiteral("name")).toString();
    info.error = reply.value(QStringLiteral("error")).toString();
    const QVariant canChange = reply.value(QStringLiteral("canChange"));
    info.canChange = canChange.typeId() != QMetaType::Bool || canChange.toBool();
    if (info.state == uninstalled) {
        return std::nullopt;
    }
    return info;
}

ShellExtensions::Lookup ShellExtensionsClient::extension(const QString& uuid) {
    const QDBusMessage reply = send(QStringLiteral("GetExtensionInfo"), uuid);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return {std::nullopt, errorText(reply, timeoutMs_)};
    }
    const QVariant first = reply.arguments().value(0);
    if (!first.canConvert<QDBusArgument>() ||
        first.value<QDBusArgument>().currentSignature() != QLatin1String("a{sv}")) {
        return {std::nullopt,
                tr("GNOME Shell answered GetExtensionInfo with %1").arg(reply.signature())};
    }
    return {infoFrom(qdbus_cast<QVariantMap>(first.value<QDBusArgument>())), std::nullopt};
}

std::optional<QString> ShellExtensionsClient::setEnabled(const QString& uuid, bool on) {
    return switched(
        send(on ? QStringLiteral("EnableExtension") : QStringLiteral("DisableExtension"), uuid),
        uuid, on, timeoutMs_);
}

void ShellExtensionsClient::setEnabledThen(const QString& uuid, bool on, const Done& done) {
    switcher_.callThen(
        message(on ? QStringLiteral("EnableExtension") : QStringLiteral("DisableExtension"), uuid),
        [this, uuid, on, done,
         self = QPointer<ShellExtensionsClient>(this)](const QDBusMessage& reply) {
            done(self ? switched(reply, uuid, on, kSwitchTimeoutMs)
                      : std::optional<QString>(reply.errorMessage()));
        });
}

std::optional<QString> ShellExtensionsClient::switched(const QDBusMessage& reply,
                                                       const QString& uuid, bool on,
                                                       int waitedMs) const {
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return errorText(reply, waitedMs);
    }
    if (reply.arguments().value(0).typeId() != QMetaType::Bool ||
        !reply.arguments().value(0).toBool()) {
        return (on ? tr("GNOME Shell refused to switch %1 on")
                   : tr("GNOME Shell refused to switch %1 off"))
            .arg(uuid);
    }
    return std::nullopt;
}

}  // namespace hushpane
