#pragma once

#include <QObject>
#include <QString>

namespace hushpane {

// What the update service asks of the program while it runs.
class UpdateServiceDelegate {
public:
    virtual ~UpdateServiceDelegate() = default;

    // Whether scheduled checks may remind gently instead of interrupting.
    virtual bool supportsGentleScheduledUpdateReminders() const = 0;
    // Called before the service shows an update it found; `handleShowingUpdate` is true when
    // the service will show it itself.
    virtual void standardUserDriverWillHandleShowingUpdate(bool handleShowingUpdate) = 0;
};

// The application updater: it checks a feed on its own schedule and on request, and shows
// what it found with its own user interface.
class UpdateService : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Starts the updater; scheduled checks run from now on. Called once.
    virtual void start(UpdateServiceDelegate* delegate) = 0;

    // Whether a user-started check would be accepted now.
    virtual bool canCheckForUpdates() const = 0;

    // The persisted automatic-check setting; the service keeps it, not the program.
    virtual bool automaticallyChecksForUpdates() const = 0;
    virtual void setAutomaticallyChecksForUpdates(bool enabled) = 0;

    // A user-started check, with the service's own user interface.
    virtual void checkForUpdates() = 0;

    // Where updates come from, for the settings window; empty when there is nowhere.
    virtual QString sourceDescription() const { return {}; }

    // True for a build whose package manager brings new versions: there are no checks.
    virtual bool isUpdatedByPackageManager() const { return false; }

Q_SIGNALS:
    // The initial value is reported once after start(), then every new value, always on the
    // main thread. A value may be reported again unchanged.
    void canCheckForUpdatesReported(bool canCheck);
    // The automatic-check setting changed without a call to its setter (the user answered the
    // service's own question).
    void automaticallyChecksForUpdatesChanged();
};

}  // namespace hushpane
