#pragma once

#include "platform/DesktopNotifications.h"

#include <QDBusConnection>

namespace hushpane {

// Notifications through the freedesktop.org notification service on the session bus. Calls do
// not wait for the service; one that fails is logged and changes nothing else.
class FreedesktopNotifications : public DesktopNotifications {
    Q_OBJECT
public:
    static constexpr auto kService = "org.freedesktop.Notifications";

    explicit FreedesktopNotifications(QDBusConnection connection = QDBusConnection::sessionBus(),
                                      QObject* parent = nullptr);

    void show(const QString& summary, const QString& body) override;
    bool isShowing() const override { return id_ != 0 || waiting_; }
    // The service's id of the one on screen; 0 while there is none.
    uint notificationId() const { return id_; }

Q_SIGNALS:
    // The service answered a show(), with an id or an error.
    void answered();

private Q_SLOTS:
    void onNotificationClosed(uint id, uint reason);

private:
    QDBusConnection connection_;
    uint id_ = 0;
    bool waiting_ = false;
    bool subscribed_ = false;
};

}  // namespace hushpane
