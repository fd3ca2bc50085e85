#include "keyboard_shortcuts/KeyEventMonitor.h"

#include <QCoreApplication>
#include <QKeyEvent>

namespace KeyboardShortcuts {

KeyEventMonitor::KeyEventMonitor(Callback callback, QObject* parent)
    : QObject(parent), callback_(std::move(callback)) {}

KeyEventMonitor::~KeyEventMonitor() {
    stop();
}

void KeyEventMonitor::start() {
    if (started_ || QCoreApplication::instance() == nullptr) {
        return;
    }
    QCoreApplication::instance()->installEventFilter(this);
    started_ = true;
}

void KeyEventMonitor::stop() {
    if (!started_) {
        return;
    }
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::instance()->removeEventFilter(this);
    }
    started_ = false;
}

bool KeyEventMonitor::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            return callback_(*static_cast<QKeyEvent*>(event));
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace KeyboardShortcuts
