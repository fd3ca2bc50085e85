#pragma once

#include "update/UpdateNotifier.h"

#include <QDBusConnection>

namespace hushpane {

// Desktop notifications over the freedesktop.org notification service on the session bus.
class DesktopNotifier : public UpdateNotifier {
    Q_OBJECT
public:
    static constexpr auto kService = "org.freedesktop.Notifications";

    // `service` names the bus service to talk to; tests pass one of their own.
    explicit DesktopNotifier(QDBusConnection connection = QDBusConnection::sessionBus(),
                             QString service = QString::fromLatin1(kService),
                             QObject* parent = nullptr);

    bool isAvailable() override;
    void notify(const QString& summary, const QString& body) override;
    // The id the service gave the notification on screen; 0 while there is none.
    uint notificationId() const { return notificationId_; }

private Q_SLOTS:
    void onActionInvoked(uint id, const QString& actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    QDBusConnection connection_;
    QString service_;
    uint notificationId_ = 0;  // the one we show; 0 = none
    bool subscribed_ = false;
};

}  // namespace hushpane
