#pragma once

#include "services/MenuBarIcon.h"

#include <QList>
#include <QWidget>

namespace hushpane::settings {

class InlineSymbolText;
class MenuBarIconTile;

// The icon picker of the "Menu Bar" section: the label "Icon", one row of tiles (one per look,
// in catalogue order) and a sentence showing the selected look's two symbols. A click on a tile
// emits iconChosen(); the picker shows whatever setSelection() last gave it. The tiles are one
// Tab stop (the selected tile); the arrow keys choose the neighbouring look.
class MenuBarIconPicker : public QWidget {
    Q_OBJECT
public:
    explicit MenuBarIconPicker(QWidget* parent = nullptr);

    void setSelection(MenuBarIcon icon);
    MenuBarIcon selection() const { return selection_; }
    void setDesktopHidden(bool hidden);

    const QList<MenuBarIconTile*>& tiles() const { return tiles_; }
    InlineSymbolText* hint() const { return hint_; }

    static constexpr int kColumnSpacing = 6;

Q_SIGNALS:
    void iconChosen(MenuBarIcon icon);

private:
    void updateHint();
    void step(MenuBarIconTile* from, int step);

    QList<MenuBarIconTile*> tiles_;
    InlineSymbolText* hint_;
    MenuBarIcon selection_;
};

}  // namespace hushpane::settings
