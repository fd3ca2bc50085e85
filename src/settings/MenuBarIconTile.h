#pragma once

#include "services/MenuBarIcon.h"

#include <QRadioButton>

namespace hushpane::settings {

// One style in the icon picker: a rounded tile with the style's symbol for the desktop's
// current state. The selected tile is tinted with the accent colour and has an accent border.
// To assistive tools the tiles are one group of radio buttons, the selected one checked; the
// arrow keys ask for a neighbour (stepRequested), and the picker moves the selection.
class MenuBarIconTile : public QRadioButton {
    Q_OBJECT
public:
    explicit MenuBarIconTile(MenuBarIcon icon, QWidget* parent = nullptr);

    MenuBarIcon icon() const { return icon_; }

    void setSelected(bool selected);
    bool isSelected() const { return isChecked(); }
    void setDesktopHidden(bool hidden);
    // The symbol the tile draws now.
    QString symbolName() const { return icon_.symbol(desktopHidden_); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int kHeight = 30;
    static constexpr int kMinimumWidth = 28;
    static constexpr qreal kCornerRadius = 7.0;
    static constexpr qreal kSelectedBorderWidth = 1.5;

Q_SIGNALS:
    // -1 / +1 for the previous / next tile, INT_MIN / INT_MAX for the first / last.
    void stepRequested(int step);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void keyPressEvent(QKeyEvent* event) override;
    // The checked state mirrors the selection; a click only asks for it.
    void nextCheckState() override {}

private:
    MenuBarIcon icon_;
    bool desktopHidden_ = false;
};

}  // namespace hushpane::settings
