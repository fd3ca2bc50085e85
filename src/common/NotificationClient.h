#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace hushpane {

// One notification at a time through the freedesktop.org notification service on the session
// bus: each notify() replaces the one still on screen. Calls do not wait for the service; its
// answer comes as answered().
class NotificationClient : public QObject {
    Q_OBJECT
public:
    static constexpr auto kService = "org.freedesktop.Notifications";

    // `service` names the bus service to talk to; tests pass one of their own.
    explicit NotificationClient(QDBusConnection connection = QDBusConnection::sessionBus(),
                                QString service = QString::fromLatin1(kService),
                                QObject* parent = nullptr);

    // Whether the service runs, or the bus would start it on the first call.
    bool isAvailable() const;
    // `actions` in the service's pairs (key, label), none for a notification without any.
    void notify(const QString& appIcon, const QString& summary, const QString& body,
                const QStringList& actions, const QVariantMap& hints);
    // The service's id of the one on screen; 0 while there is none.
    uint notificationId() const { return id_; }
    // A notify() is still waiting for the service's answer.
    bool isWaiting() const { return waiting_; }

Q_SIGNALS:
    // The service answered a notify(): whether it shows the notification, and else why not.
    void answered(bool shown, const QString& error);
    // The user chose an action of the one on screen.
    void actionInvoked(const QString& key);

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& key);
    void onNotificationClosed(uint id, uint reason);

private:
    QDBusConnection connection_;
    QString service_;
    uint id_ = 0;
    bool waiting_ = false;
    bool subscribed_ = false;
};

}  // namespace hushpane
