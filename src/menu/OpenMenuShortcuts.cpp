#include "menu/OpenMenuShortcuts.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

namespace hushpane {

namespace {

QAction* itemFor(const QMenu& menu, const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier) {
        return nullptr;  // plain keys move through the menu and pick items by their letters
    }
    const QKeyCombination pressed(modifiers, static_cast<Qt::Key>(event.key()));
    const QList<QAction*> items = menu.actions();
    for (QAction* item : items) {
        const QKeySequence shortcut = item->shortcut();
        if (item->isEnabled() && item->isVisible() && shortcut.count() == 1 &&
            shortcut[0] == pressed) {
            return item;
        }
    }
    return nullptr;
}

}  // namespace

OpenMenuShortcuts::OpenMenuShortcuts(QMenu& menu) : QObject(&menu), menu_(menu) {
    menu.installEventFilter(this);
}

bool OpenMenuShortcuts::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &menu_ ||
        (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)) {
        return QObject::eventFilter(watched, event);
    }
    QAction* item = itemFor(menu_, *static_cast<QKeyEvent*>(event));
    if (item == nullptr) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // the press comes here next, not to the application's shortcuts
        return true;
    }
    // Closed first, as a click on the item would: what the item opens comes to the front.
    menu_.hide();
    item->trigger();
    return true;
}

}  // namespace hushpane
