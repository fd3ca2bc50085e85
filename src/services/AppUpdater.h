#pragma once

#include "platform/UpdateService.h"

#include <QObject>

namespace hushpane {

// The program's side of the update service: it starts the service, mirrors whether a check
// may start now, passes the automatic-check setting through, and asks for the application to
// come forward before the service shows an update.
class AppUpdater : public QObject, public UpdateServiceDelegate {
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)
public:
    explicit AppUpdater(UpdateService& service, QObject* parent = nullptr);

    // False until the service first reports.
    bool canCheckForUpdates() const { return canCheckForUpdates_; }

    bool automaticallyChecksForUpdates() const;
    // Notifies on every write, also when the value is unchanged.
    void setAutomaticallyChecksForUpdates(bool enabled);

    // A user-started check: ask for the application to come forward, then let the service
    // check.
    void checkForUpdates();

    // Where updates come from, for the settings window.
    QString sourceDescription() const { return service_.sourceDescription(); }
    // Whether the package manager updates this build (it has no update checks).
    bool isUpdatedByPackageManager() const { return service_.isUpdatedByPackageManager(); }

    bool supportsGentleScheduledUpdateReminders() const override { return true; }
    void standardUserDriverWillHandleShowingUpdate(bool handleShowingUpdate) override;

Q_SIGNALS:
    void canCheckForUpdatesChanged(bool canCheck);
    void automaticallyChecksForUpdatesChanged();
    // The application should come to the front: a check or an update is about to be shown.
    void activationRequested();

private:
    UpdateService& service_;
    bool canCheckForUpdates_ = false;
};

}  // namespace hushpane
