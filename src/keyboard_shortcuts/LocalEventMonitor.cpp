#include "keyboard_shortcuts/LocalEventMonitor.h"

#include <QCoreApplication>

namespace KeyboardShortcuts {

LocalEventMonitor::LocalEventMonitor(QList<QEvent::Type> events, Callback callback, QObject* parent)
    : QObject(parent), events_(std::move(events)), callback_(std::move(callback)) {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->installEventFilter(this);
    }
}

LocalEventMonitor::~LocalEventMonitor() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
}

bool LocalEventMonitor::eventFilter(QObject* watched, QEvent* event) {
    if (events_.contains(event->type()) && callback_(watched, event)) {
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace KeyboardShortcuts
