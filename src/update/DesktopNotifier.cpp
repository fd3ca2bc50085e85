#include "update/DesktopNotifier.h"

#include "update/UpdateLogging.h"

namespace hushpane {

DesktopNotifier::DesktopNotifier(QDBusConnection connection, QString service, QObject* parent)
    : UpdateNotifier(parent), client_(std::move(connection), std::move(service)) {
    connect(&client_, &NotificationClient::answered, this,
            [this](bool shown, const QString& error) {
                if (!shown) {
                    qCWarning(lcUpdates, "Couldn't show the update notification: %s",
                              qUtf8Printable(error));
                    Q_EMIT failed();
                }
            });
    connect(&client_, &NotificationClient::actionInvoked, this, [this](const QString& key) {
        if (key == u"default") {
            Q_EMIT activated();
        }
    });
}

bool DesktopNotifier::isAvailable() {
    return client_.isAvailable();
}

void DesktopNotifier::notify(const QString& summary, const QString& body) {
    const QStringList actions{QStringLiteral("default"), tr("Show")};
    const QVariantMap hints{{QStringLiteral("desktop-entry"), QStringLiteral("hushpane")}};
    client_.notify(QString(), summary, body, actions, hints);
}

}  // namespace hushpane
