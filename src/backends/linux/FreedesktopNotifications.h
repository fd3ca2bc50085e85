#pragma once

#include "common/NotificationClient.h"
#include "platform/DesktopNotifications.h"

namespace hushpane {

// Notifications through the freedesktop.org notification service on the session bus. Calls do
// not wait for the service; one that fails is logged and changes nothing else.
class FreedesktopNotifications : public DesktopNotifications {
    Q_OBJECT
public:
    static constexpr auto kService = NotificationClient::kService;

    explicit FreedesktopNotifications(QDBusConnection connection = QDBusConnection::sessionBus(),
                                      QObject* parent = nullptr);

    void show(const QString& summary, const QString& body) override;
    bool isShowing() const override { return client_.notificationId() != 0 || client_.isWaiting(); }
    // The service's id of the one on screen; 0 while there is none.
    uint notificationId() const { return client_.notificationId(); }

Q_SIGNALS:
    // The service answered a show(), with an id or an error.
    void answered();

private:
    NotificationClient client_;
};

}  // namespace hushpane
