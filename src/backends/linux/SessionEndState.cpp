#include "backends/linux/SessionEndState.h"

namespace hushpane {

SessionEndState::SessionEndState(std::chrono::milliseconds saveGrace, QObject* parent)
    : QObject(parent) {
    saveExpiry_.setSingleShot(true);
    saveExpiry_.setInterval(saveGrace);
    connect(&saveExpiry_, &QTimer::timeout, this, [this] { savePending_ = false; });
}

void SessionEndState::saveRequested() {
    // Each save starts the wait again: a session manager may ask more than once on its way out.
    savePending_ = true;
    saveExpiry_.start();
}

}  // namespace hushpane
