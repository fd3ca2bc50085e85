#include "backends/gnome/ShellExtensionsClient.h"

#include <QDBusArgument>
#include <QDBusError>
#include <QDBusPendingCallWatcher>

namespace hushpane {

namespace {

bool isTimeout(QDBusError::ErrorType type) {
    return type == QDBusError::NoReply || type == QDBusError::Timeout ||
           type == QDBusError::TimedOut;
}

}  // namespace

ShellExtensionsClient::ShellExtensionsClient(QDBusConnection bus, int timeoutMs, int quietPeriodMs,
                                             QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      timeoutMs_(timeoutMs),
      quietPeriodMs_(quietPeriodMs),
      owner_(QString::fromLatin1(kService), bus_, QDBusServiceWatcher::WatchForOwnerChange) {
    // The Shell started again, or went: whatever was known about it is old.
    connect(&owner_, &QDBusServiceWatcher::serviceOwnerChanged, this, [this] {
        silentUntil_ = QDeadlineTimer(0);
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

QString ShellExtensionsClient::errorText(const QDBusMessage& reply) const {
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
            return tr("GNOME Shell doesn't answer (waited %1 s)").arg(timeoutMs_ / 1000.0);
        default:
            return reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage();
    }
}

QDBusMessage ShellExtensionsClient::send(const QString& method, const QString& uuid) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), method);
    call << uuid;
    // Asking must never start a Shell.
    call.setAutoStartService(false);
    if (!silentUntil_.hasExpired()) {
        return call.createErrorReply(QDBusError::NoReply, silenceMessage_);
    }
    const QDBusMessage reply = bus_.call(call, QDBus::Block, timeoutMs_);
    if (reply.type() == QDBusMessage::ErrorMessage && isTimeout(QDBusError(reply).type())) {
        silenceMessage_ = errorText(reply);
        silentUntil_ = QDeadlineTimer(quietPeriodMs_);
        waitForAnswer();
    }
    return reply;
}

void ShellExtensionsClient::waitForAnswer() {
    if (pinging_) {
        return;
    }
    pinging_ = true;
    QDBusMessage ping = QDBusMessage::createMethodCall(
        QString::fromLatin1(kService), QString::fromLatin1(kPath),
        QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping"));
    ping.setAutoStartService(false);
    // A stopped Shell answers queued calls once it runs again; one long wait is enough, and
    // should it end unanswered, the next timeout pings again.
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(ping, 60 * 60 * 1000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                pinging_ = false;
                if (isTimeout(finished->error().type())) {
                    return;
                }
                silentUntil_ = QDeadlineTimer(0);
                changed();
            });
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
        return {std::nullopt, errorText(reply)};
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
    const QDBusMessage reply =
        send(on ? QStringLiteral("EnableExtension") : QStringLiteral("DisableExtension"), uuid);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        return errorText(reply);
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
