#include "keyboard_shortcuts/LocalEventMonitor.h"

#include <QCoreApplication>
#include <QPointer>

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
    if (!events_.contains(event->type())) {
        return QObject::eventFilter(watched, event);
    }
    // The callback may end what this monitor watches for and delete the monitor with it, so
    // nothing of this object is touched once it has run.
    const Callback callback = callback_;
    const QPointer<LocalEventMonitor> alive(this);
    if (callback(watched, event)) {
        return true;
    }
    return alive ? QObject::eventFilter(watched, event) : false;
}

}  // namespace KeyboardShortcuts
