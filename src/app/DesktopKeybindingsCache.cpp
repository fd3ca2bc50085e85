#include "app/DesktopKeybindingsCache.h"

#include <QCoreApplication>
#include <QMutexLocker>
#include <QPointer>
#include <QThreadPool>

namespace hushpane {

DesktopKeybindingsCache::DesktopKeybindingsCache(Reader reader, QObject* parent)
    : QObject(parent), reader_(std::move(reader)), state_(std::make_shared<State>()) {}

DesktopKeybindingsCache::~DesktopKeybindingsCache() = default;

QList<DesktopAccelerator> DesktopKeybindingsCache::read() {
    refresh();
    const QMutexLocker lock(&state_->mutex);
    return state_->keybindings;
}

void DesktopKeybindingsCache::refresh() {
    {
        const QMutexLocker lock(&state_->mutex);
        if (state_->reading || !reader_) {
            return;
        }
        state_->reading = true;
    }
    QThreadPool::globalInstance()->start(
        [reader = reader_, state = state_, self = QPointer<DesktopKeybindingsCache>(this)] {
            QList<DesktopAccelerator> keybindings = reader();
            {
                const QMutexLocker lock(&state->mutex);
                state->keybindings = std::move(keybindings);
                state->reading = false;
            }
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self] {
                    if (self) {
                        Q_EMIT self->refreshed();
                    }
                },
                Qt::QueuedConnection);
        });
}

}  // namespace hushpane
