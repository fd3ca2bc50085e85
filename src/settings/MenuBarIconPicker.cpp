#include "settings/MenuBarIconPicker.h"

#include "settings/InlineSymbolText.h"
#include "settings/MenuBarIconTile.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>

namespace hushpane::settings {

MenuBarIconPicker::MenuBarIconPicker(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 2);
    layout->setSpacing(10);

    auto* label = new QLabel(tr("Icon"), this);
    layout->addWidget(label);

    // Ten looks in ten equal columns: one row.
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(kColumnSpacing);
    grid->setVerticalSpacing(6);
    const QList<MenuBarIcon>& all = MenuBarIcon::allCases();
    for (qsizetype i = 0; i < all.size(); ++i) {
        auto* tile = new MenuBarIconTile(all[i], this);
        connect(tile, &QAbstractButton::clicked, this,
                [this, icon = all[i]] { Q_EMIT iconChosen(icon); });
        connect(tile, &MenuBarIconTile::stepRequested, this,
                [this, tile](int delta) { step(tile, delta); });
        grid->addWidget(tile, 0, static_cast<int>(i));
        grid->setColumnStretch(static_cast<int>(i), 1);
        grid->setColumnMinimumWidth(static_cast<int>(i), MenuBarIconTile::kMinimumWidth);
        tiles_.append(tile);
    }
    layout->addLayout(grid);

    hint_ = new InlineSymbolText(this);
    hint_->setObjectName(QStringLiteral("iconHint"));
    layout->addWidget(hint_);

    setSelection(MenuBarIcon::grid);
}

void MenuBarIconPicker::setSelection(MenuBarIcon icon) {
    selection_ = icon;
    for (MenuBarIconTile* tile : tiles_) {
        const bool selected = tile->icon() == icon;
        tile->setSelected(selected);
        // Tab reaches the group once, at its selected tile.
        tile->setFocusPolicy(selected ? Qt::StrongFocus : Qt::ClickFocus);
    }
    updateHint();
}

void MenuBarIconPicker::step(MenuBarIconTile* from, int delta) {
    const auto last = static_cast<int>(tiles_.size()) - 1;
    int index = static_cast<int>(tiles_.indexOf(from));
    if (delta == INT_MIN) {
        index = 0;
    } else if (delta == INT_MAX) {
        index = last;
    } else {
        index = std::clamp(index + delta, 0, last);
    }
    MenuBarIconTile* to = tiles_[index];
    to->setFocus(Qt::TabFocusReason);
    Q_EMIT iconChosen(to->icon());
}

void MenuBarIconPicker::setDesktopHidden(bool hidden) {
    for (MenuBarIconTile* tile : tiles_) {
        tile->setDesktopHidden(hidden);
    }
}

void MenuBarIconPicker::updateHint() {
    // Always the selected look, whatever the desktop's state.
    hint_->setText(tr("%1: %2 while icons are showing, %3 while the desktop is hidden.")
                       .arg(selection_.name(), QStringLiteral("{0}"), QStringLiteral("{1}")),
                   {selection_.shownSymbol(), selection_.hiddenSymbol()});
}

}  // namespace hushpane::settings
