#pragma once

#include "services/MenuBarIcon.h"

#include <QAbstractButton>

namespace hushpane::settings {

// One style in the icon picker: a rounded tile with the style's symbol for the desktop's
// current state. The selected tile is tinted with the accent colour and has an accent border;
// it reports itself checked, which is how assistive tools learn that it is the selected one.
class MenuBarIconTile : public QAbstractButton {
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

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    // The checked state mirrors the selection; a click only asks for it.
    void nextCheckState() override {}

private:
    MenuBarIcon icon_;
    bool desktopHidden_ = false;
};

}  // namespace hushpane::settings
