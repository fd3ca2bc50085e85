#include "services/FailureNotice.h"

#include "platform/DesktopNotifications.h"

namespace hushpane {

FailureNotice::FailureNotice(DesktopController& desktop, DesktopNotifications& notifications,
                             QObject* parent)
    : QObject(parent), notifications_(notifications) {
    connect(&desktop, &DesktopController::requestFailed, this, &FailureNotice::show);
}

void FailureNotice::show(DesktopController::Failure failure, const QString& reason) {
    QString summary;
    switch (failure) {
        case DesktopController::Failure::hide:
            summary = tr("The desktop icons weren't hidden");
            break;
        case DesktopController::Failure::show:
            summary = tr("The desktop icons weren't shown");
            break;
        case DesktopController::Failure::wallpaper:
            summary = tr("The wallpaper wasn't changed");
            break;
    }
    const QString notice = summary + QLatin1Char('\n') + reason;
    if (notice == shown_ && notifications_.isShowing()) {
        return;
    }
    shown_ = notice;
    notifications_.show(summary, reason);
}

}  // namespace hushpane
