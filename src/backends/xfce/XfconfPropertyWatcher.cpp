#include "backends/xfce/XfconfPropertyWatcher.h"

#include "backends/xfce/XfconfClient.h"

namespace hushpane {

XfconfPropertyWatcher::XfconfPropertyWatcher(QDBusConnection bus, QString channel, QString property,
                                             QObject* parent)
    : QObject(parent),
      bus_(std::move(bus)),
      channel_(std::move(channel)),
      property_(std::move(property)) {
    // The changed value is not needed, and a slot taking it as a QDBusVariant is never called
    // for xfconfd's PropertyChanged: the first two arguments are enough.
    connectSignal(QStringLiteral("PropertyChanged"), SLOT(propertyTouched(QString, QString)), true);
    connectSignal(QStringLiteral("PropertyRemoved"), SLOT(propertyTouched(QString, QString)), true);
}

XfconfPropertyWatcher::~XfconfPropertyWatcher() {
    connectSignal(QStringLiteral("PropertyChanged"), SLOT(propertyTouched(QString, QString)),
                  false);
    connectSignal(QStringLiteral("PropertyRemoved"), SLOT(propertyTouched(QString, QString)),
                  false);
}

void XfconfPropertyWatcher::connectSignal(const QString& name, const char* slot, bool on) {
    // No sender name: xfconfd may be (re)started later and still be heard.
    const QString path = QString::fromLatin1(XfconfClient::kPath);
    const QString interface = QString::fromLatin1(XfconfClient::kInterface);
    if (on) {
        bus_.connect(QString(), path, interface, name, this, slot);
    } else {
        bus_.disconnect(QString(), path, interface, name, this, slot);
    }
}

void XfconfPropertyWatcher::propertyTouched(const QString& channel, const QString& property) {
    if (channel == channel_ && property == property_) {
        Q_EMIT changed();
    }
}

}  // namespace hushpane
