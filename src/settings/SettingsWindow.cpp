#include "settings/SettingsWindow.h"

#include <QCloseEvent>

namespace hushpane::settings {

void SettingsWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (event->isAccepted()) {
        Q_EMIT closed();
    }
}

}  // namespace hushpane::settings
