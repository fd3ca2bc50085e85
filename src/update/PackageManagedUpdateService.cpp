#include "update/PackageManagedUpdateService.h"

#include <QMetaObject>

namespace hushpane {

void PackageManagedUpdateService::start(UpdateServiceDelegate* /*delegate*/) {
    // Reported like any service's first value: once the caller has connected.
    QMetaObject::invokeMethod(
        this, [this] { Q_EMIT canCheckForUpdatesReported(false); }, Qt::QueuedConnection);
}

void PackageManagedUpdateService::setAutomaticallyChecksForUpdates(bool /*enabled*/) {
    // There is nothing to switch on: the stored choice of a self-built Hushpane stays as it is.
}

}  // namespace hushpane
