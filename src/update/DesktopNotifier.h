#pragma once

#include "common/NotificationClient.h"
#include "update/UpdateNotifier.h"

namespace hushpane {

// The update notification, with a "Show" action, through the desktop's notification service.
class DesktopNotifier : public UpdateNotifier {
    Q_OBJECT
public:
    static constexpr auto kService = NotificationClient::kService;

    // `service` names the bus service to talk to; tests pass one of their own.
    explicit DesktopNotifier(QDBusConnection connection = QDBusConnection::sessionBus(),
                             QString service = QString::fromLatin1(kService),
                             QObject* parent = nullptr);

    bool isAvailable() override;
    void notify(const QString& summary, const QString& body) override;
    // The id the service gave the notification on screen; 0 while there is none.
    uint notificationId() const { return client_.notificationId(); }

private:
    NotificationClient client_;
};

}  // namespace hushpane
