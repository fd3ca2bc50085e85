#include "services/AppUpdater.h"

namespace hushpane {

AppUpdater::AppUpdater(UpdateService& service, QObject* parent)
    : QObject(parent), service_(service) {
    // Reports are taken one main-loop turn later, so the flag stays false until the service
    // has really answered, and a report made during start() is not lost.
    connect(
        &service_, &UpdateService::canCheckForUpdatesReported, this,
        [this](bool canCheck) {
            if (canCheck != canCheckForUpdates_) {
                canCheckForUpdates_ = canCheck;
                Q_EMIT canCheckForUpdatesChanged(canCheck);
            }
        },
        Qt::QueuedConnection);
    connect(&service_, &UpdateService::automaticallyChecksForUpdatesChanged, this,
            &AppUpdater::automaticallyChecksForUpdatesChanged);
    service_.start(this);
}

bool AppUpdater::automaticallyChecksForUpdates() const {
    return service_.automaticallyChecksForUpdates();
}

void AppUpdater::setAutomaticallyChecksForUpdates(bool enabled) {
    service_.setAutomaticallyChecksForUpdates(enabled);
    Q_EMIT automaticallyChecksForUpdatesChanged();
}

void AppUpdater::checkForUpdates() {
    Q_EMIT activationRequested();
    service_.checkForUpdates();
}

void AppUpdater::standardUserDriverWillHandleShowingUpdate(bool handleShowingUpdate) {
    if (handleShowingUpdate) {
        Q_EMIT activationRequested();
    }
}

}  // namespace hushpane
