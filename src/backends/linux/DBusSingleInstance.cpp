#include "backends/linux/DBusSingleInstance.h"

#include "common/Logging.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QMetaObject>

namespace hushpane {

DBusSingleInstance::DBusSingleInstance(QDBusConnection bus, QObject* parent)
    : SingleInstance(parent), bus_(std::move(bus)) {}

SingleInstance::Role DBusSingleInstance::claim(const QStringList& urls, QString* error) {
    QDBusConnection& bus = bus_;
    if (!bus.isConnected()) {
        return Role::primary;
    }
    const QString service = QString::fromLatin1(kServiceName);
    // Register the object first so a caller that sees the name can always reach it.
    bus.registerObject(QString::fromLatin1(kObjectPath), this,
                       QDBusConnection::ExportScriptableSlots);
    if (bus.registerService(service)) {
        return Role::primary;
    }
    bus.unregisterObject(QString::fromLatin1(kObjectPath));

    QDBusMessage call =
        QDBusMessage::createMethodCall(service, QString::fromLatin1(kObjectPath),
                                       QString::fromLatin1(kInterface), QStringLiteral("Activate"));
    call << urls;
    // The running instance answers at once and does the work afterwards.
    const QDBusMessage reply = bus.call(call, QDBus::Block, 10000);
    if (reply.type() == QDBusMessage::ErrorMessage) {
        if (error) {
            *error = reply.errorMessage();
        }
        return Role::failed;
    }
    return Role::forwarded;
}

void DBusSingleInstance::Activate(const QStringList& urls) {
    if (urls.size() > kMaxUrls) {
        // No command line carries that many; handling them would stall the tray for seconds.
        qCWarning(lcDesktop).noquote()
            << QStringLiteral("Refused an activation with %1 URLs (at most %2 are handled)")
                   .arg(urls.size())
                   .arg(kMaxUrls);
        return;
    }
    // Reply first; the URLs are handled in a later turn of the main loop.
    QMetaObject::invokeMethod(
        this, [this, urls] { Q_EMIT activationRequested(urls); }, Qt::QueuedConnection);
}

}  // namespace hushpane
