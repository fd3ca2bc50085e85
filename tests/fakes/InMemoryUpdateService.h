#pragma once

#include "platform/UpdateService.h"

namespace hushpane::test {

// An update service that reports what the test tells it to.
class InMemoryUpdateService : public UpdateService {
    Q_OBJECT
public:
    void start(UpdateServiceDelegate* d) override {
        delegate = d;
        ++starts;
    }
    bool canCheckForUpdates() const override { return canCheck; }
    bool automaticallyChecksForUpdates() const override { return automatic; }
    void setAutomaticallyChecksForUpdates(bool enabled) override {
        automatic = enabled;
        ++automaticWrites;
    }
    void checkForUpdates() override { ++checks; }

    // Reports a value as the service would, from the event loop.
    void report(bool value) {
        canCheck = value;
        Q_EMIT canCheckForUpdatesReported(value);
    }

    UpdateServiceDelegate* delegate = nullptr;
    bool canCheck = false;
    bool automatic = true;
    int starts = 0;
    int checks = 0;
    int automaticWrites = 0;
};

}  // namespace hushpane::test
