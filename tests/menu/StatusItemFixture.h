#pragma once

#include "menu/StatusItemController.h"
#include "support/ServicesFixture.h"

#include <memory>

namespace hushpane::test {

// The status item over in-memory services; `makeStatusItem` builds it, for a panel or none.
class StatusItemFixture : public ServicesFixture<> {
protected:
    void makeStatusItem(const TrayPanel* panel = nullptr) {
        status = std::make_unique<StatusItemController>(desktop, prefs, updater, panel);
        QObject::connect(status.get(), &StatusItemController::settingsRequested,
                         [this] { ++settingsShown; });
        QObject::connect(status.get(), &StatusItemController::quitRequested, [this] { ++quits; });
    }

    int settingsShown = 0;
    int quits = 0;
    std::unique_ptr<StatusItemController> status;
};

}  // namespace hushpane::test
