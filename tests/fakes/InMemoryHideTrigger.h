#pragma once

#include "platform/HideTrigger.h"

namespace hushpane::test {

// A trigger the test switches by hand. It settles on start() unless told to wait.
class InMemoryHideTrigger : public HideTrigger {
    Q_OBJECT
public:
    using HideTrigger::HideTrigger;

    void start() override {
        started = true;
        if (settlesOnStart) {
            settle();
        }
    }
    void stop() override {
        started = false;
        settled_ = false;
    }
    bool isActive() const override { return started && settled_ && active_; }
    bool isSettled() const override { return settled_; }
    std::optional<QString> unavailableReason() const override {
        return unavailable.isEmpty() ? std::nullopt : std::optional<QString>(unavailable);
    }

    // What the watched thing is doing; reported only while started and settled.
    void setActive(bool active) {
        const bool was = isActive();
        active_ = active;
        if (was != isActive()) {
            Q_EMIT activeChanged(isActive());
        }
    }
    void settle() {
        if (!started || settled_) {
            return;
        }
        settled_ = true;
        Q_EMIT settled();
        if (active_) {
            Q_EMIT activeChanged(true);
        }
    }

    bool started = false;
    bool settlesOnStart = true;
    QString unavailable;  // why it cannot work here; empty where it can

private:
    bool active_ = false;
    bool settled_ = false;
};

}  // namespace hushpane::test
