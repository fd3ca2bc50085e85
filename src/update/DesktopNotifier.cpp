#include "update/DesktopNotifier.h"

#include "update/UpdateLogging.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace hushpane {

namespace {

constexpr auto kPath = "/org/freedesktop/Notifications";
constexpr auto kInterface = "org.freedesktop.Notifications";

}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection connection, QString service, QObject* parent)
    : UpdateNotifier(parent), connection_(std::move(connection)), service_(std::move(service)) {}

bool DesktopNotifier::isAvailable() {
    if (!connection_.isConnected()) {
        return false;
    }
    QDBusConnectionInterface* bus = connection_.interface();
    if (!bus) {
        return false;
    }
    if (bus->isServiceRegistered(service_).value()) {
        return true;
    }
    // A notification daemon may also be started by the bus on the first call.
    const QDBusReply<QStringList> activatable = bus->activatableServiceNames();
    return activatable.isValid() && activatable.value().contains(service_);
}

void DesktopNotifier::notify(const QString& summary, const QString& body) {
    if (!subscribed_) {
        // Connected once, for the life of this object.
        subscribed_ = connection_.connect(
            service_, QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
            QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
        connection_.connect(service_, QString::fromLatin1(kPath), QString::fromLatin1(kInterface),
                            QStringLiteral("NotificationClosed"), this,
                            SLOT(onNotificationClosed(uint, uint)));
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(service_, QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Notify"));
    const QStringList actions{QStringLiteral("default"), tr("Show")};
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("hushpane")}};
    call << QStringLiteral("Hushpane") << notificationId_ << QString() << summary << body << actions
         << hints << -1;
    auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            qCWarning(lcUpdates, "Couldn't show the update notification: %s",
                      qUtf8Printable(reply.error().message()));
            notificationId_ = 0;
            Q_EMIT failed();
            return;
        }
        notificationId_ = reply.value();
    });
}

void DesktopNotifier::onActionInvoked(uint id, const QString& actionKey) {
    if (id == 0 || id != notificationId_) {
        return;
    }
    if (actionKey == u"default") {
        Q_EMIT activated();
    }
}

void DesktopNotifier::onNotificationClosed(uint id, uint /*reason*/) {
    if (id != 0 && id == notificationId_) {
        notificationId_ = 0;
    }
}

}  // namespace hushpane
