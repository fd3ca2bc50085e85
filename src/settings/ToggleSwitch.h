#pragma once

#include <QAbstractButton>

namespace hushpane::settings {

// An on/off switch: a pill with a knob, filled with the accent colour while on. It is a
// checkable button, so keyboard use and accessibility work as for a check box.
class ToggleSwitch : public QAbstractButton {
    Q_OBJECT
public:
    explicit ToggleSwitch(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};

}  // namespace hushpane::settings
