#pragma once

#include "platform/UpdateService.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace hushpane {

// The program's side of the update service: it starts the service, mirrors whether a check
// may start now, passes the automatic-check setting through, and brings the application
// forward before the service shows an update.
class AppUpdater : public QObject, public UpdateServiceDelegate {
    Q_OBJECT
    Q_PROPERTY(bool canCheckForUpdates READ canCheckForUpdates NOTIFY canCheckForUpdatesChanged)
public:
    // `activate` brings the application to the front.
    AppUpdater(UpdateService& service, std::function<void()> activate, QObject* parent = nullptr);

    // False until the service first reports.
    bool canCheckForUpdates() const { return canCheckForUpdates_; }

    bool automaticallyChecksForUpdates() const;
    // Notifies on every write, also when the value is unchanged.
    void setAutomaticallyChecksForUpdates(bool enabled);

    // A user-started check: activate the application, then let the service check.
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

private:
    UpdateService& service_;
    std::function<void()> activate_;
    bool canCheckForUpdates_ = false;
};

}  // namespace hushpane
