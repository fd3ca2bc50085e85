#include "keyboard_shortcuts/MenuTrackingObserver.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMenu>

namespace KeyboardShortcuts {

MenuTrackingObserver::MenuTrackingObserver(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installEventFilter(this);
    }
}

MenuTrackingObserver::~MenuTrackingObserver() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool MenuTrackingObserver::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType() &&
        qobject_cast<QMenu*>(watched) != nullptr) {
        if (type == QEvent::Show) {
            if (!openMenus_.contains(watched)) {
                const bool wasOpen = isMenuOpen();
                openMenus_.insert(watched);
                connect(watched, &QObject::destroyed, this,
                        [this](QObject* menu) { menuClosed(menu); });
                if (!wasOpen) {
                    Q_EMIT menuOpenDidChange(true);
                }
            }
        } else {
            menuClosed(watched);
        }
    }
    return QObject::eventFilter(watched, event);
}

void MenuTrackingObserver::menuClosed(QObject* menu) {
    if (!openMenus_.remove(menu)) {
        return;
    }
    disconnect(menu, &QObject::destroyed, this, nullptr);
    if (!isMenuOpen()) {
        Q_EMIT menuOpenDidChange(false);
    }
}

}  // namespace KeyboardShortcuts
