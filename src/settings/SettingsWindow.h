#pragma once

#include <QWidget>

namespace hushpane::settings {

// The settings window itself: it tells its controller when a close went through.
class SettingsWindow : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

Q_SIGNALS:
    // A close was accepted; the window is about to be hidden.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace hushpane::settings
