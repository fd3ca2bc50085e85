#pragma once

#include <QObject>

class QMenu;

namespace hushpane {

// Makes the shortcuts a menu shows beside its items work while that menu is open: a key
// press that matches an enabled item's shortcut closes the menu and triggers the item. A
// popup menu holds the keyboard, so neither the application's shortcuts nor the desktop's
// global ones reach anything else meanwhile.
class OpenMenuShortcuts : public QObject {
    Q_OBJECT
public:
    // Lives as long as `menu` (its child).
    explicit OpenMenuShortcuts(QMenu& menu);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenu& menu_;
};

}  // namespace hushpane
