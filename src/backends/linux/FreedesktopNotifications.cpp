#include "backends/linux/FreedesktopNotifications.h"

#include "common/Logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace hushpane {

namespace {

constexpr auto kPath = "/org/freedesktop/Notifications";
constexpr auto kInterface = "org.freedesktop.Notifications";

}  // namespace

FreedesktopNotifications::FreedesktopNotifications(QDBusConnection connection, QObject* parent)
    : DesktopNotifications(parent), connection_(std::move(connection)) {}

void FreedesktopNotifications::show(const QString& summary, const QString& body) {
    if (!subscribed_) {
        subscribed_ = connection_.connect(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                          QString::fromLatin1(kInterface),
                                          QStringLiteral("NotificationClosed"), this,
                                          SLOT(onNotificationClosed(uint, uint)));
    }
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Notify"));
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("app.hushpane.Hushpane")},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar{1})}};
    call << QStringLiteral("Hushpane") << id_ << QStringLiteral("app.hushpane.Hushpane") << summary
         << body << QStringList() << hints << -1;
    waiting_ = true;
    auto* watcher = new QDBusPendingCallWatcher(connection_.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        waiting_ = false;
        const QDBusPendingReply<uint> reply = *w;
        if (reply.isError()) {
            qCWarning(lcDesktop).noquote()
                << QStringLiteral("Couldn't show a notification: %1").arg(reply.error().message());
            id_ = 0;
        } else {
            id_ = reply.value();
        }
        Q_EMIT answered();
    });
}

void FreedesktopNotifications::onNotificationClosed(uint id, uint /*reason*/) {
    if (id != 0 && id == id_) {
        id_ = 0;
    }
}

}  // namespace hushpane
