#include "common/NotificationClient.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace hushpane {

namespace {

constexpr auto kPath = "/org/freedesktop/Notifications";
constexpr auto kInterface = "org.freedesktop.Notifications";

}  // namespace

NotificationClient::NotificationClient(QDBusConnection connection, QString service, QObject* parent)
    : QObject(parent), connection_(std::move(connection)), service_(std::move(service)) {}

bool NotificationClient::isAvailable() const {
    QDBusConnectionInterface* bus = connection_.isConnected() ? connection_.interface() : nullptr;
    if (!bus) {
        return false;
    }
    if (bus->isServiceRegistered(service_).value()) {
        return true;
    }
    const QDBusReply<QStringList> activatable = bus->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(service_);
}

void NotificationClient::notify(const QString& appIcon, const QString& summary, const QString& body,
                                const QStringList& actions, const QVariantMap& hints) {
    if (!subscribed_) {
        // Connected once, for the life of this object.
        subscribed_ = connection_.connect(
            service_, QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
            QStringLiteral("NotificationClosed"), this, SLOT(onNotificationClosed(uint, uint)));
        connection_.connect(service_, QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
                            QStringLiteral("ActionInvoked"), this,
                            SLOT(onActionInvoked(uint, QString)));
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service_, QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Notify"));
    call << QStringLiteral("Hushpane") << id_ << appIcon << summary << body << actions << hints
         << -1;
    waiting_ = true;
    auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        waiting_ = false;
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            id_ = 0;
            Q_EMIT answered(false, reply.error().message());
            return;
        }
        id_ = reply.value();
        Q_EMIT answered(true, QString());
    });
}

void NotificationClient::onActionInvoked(uint id, const QString& key) {
    if (id != 0 && id == id_) {
        Q_EMIT actionInvoked(key);
    }
}

void NotificationClient::onNotificationClosed(uint id, uint /*reason*/) {
    if (id != 0 && id == id_) {
        id_ = 0;
    }
}

}  // namespace hushpane
