#pragma once

#include "services/DesktopController.h"

#include <QObject>
#include <QString>

namespace hushpane {

class DesktopNotifications;

// Tells the user, with a desktop notification, that a hide or show asked for by the shortcut,
// the tray menu or a URL command failed, and why: nothing else on screen would show it. A
// failure that is still on screen is not shown again, so a burst of presses makes one.
class FailureNotice : public QObject {
    Q_OBJECT
public:
    FailureNotice(DesktopController& desktop, DesktopNotifications& notifications,
                  QObject* parent = nullptr);

private:
    void show(DesktopController::Failure failure, const QString& reason);

    DesktopNotifications& notifications_;
    QString shown_;  // summary and reason of the last one shown
};

}  // namespace hushpane
