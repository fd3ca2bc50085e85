#include "backends/linux/FreedesktopNotifications.h"

#include "common/Logging.h"

namespace hushpane {

FreedesktopNotifications::FreedesktopNotifications(QDBusConnection connection, QObject* parent)
    : DesktopNotifications(parent), client_(std::move(connection), QString::fromLatin1(kService)) {
    connect(&client_, &NotificationClient::answered, this,
            [this](bool shown, const QString& error) {
                if (!shown) {
                    qCWarning(lcDesktop).noquote()
                        << QStringLiteral("Couldn't show a notification: %1").arg(error);
                }
                Q_EMIT answered();
            });
}

void FreedesktopNotifications::show(const QString& summary, const QString& body) {
    const QVariantMap hints{
        {QStringLiteral("desktop-entry"), QStringLiteral("app.hushpane.Hushpane")},
        {QStringLiteral("urgency"), QVariant::fromValue(uchar{1})}};
    client_.notify(QStringLiteral("app.hushpane.Hushpane"), summary, body, QStringList(), hints);
}

}  // namespace hushpane
