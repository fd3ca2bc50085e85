#pragma once

#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryUpdateService.h"
#include "fakes/InMemoryWorkspace.h"
#include "menu/StatusItemController.h"
#include "services/AppUpdater.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QAction>

#include <gtest/gtest.h>

#include <memory>

namespace hushpane::test {

// The status item over in-memory services; `makeStatusItem` builds it, for a panel or none.
class StatusItemFixture : public ::testing::Test {
protected:
    void makeStatusItem(const TrayPanel* panel = nullptr) {
        status = std::make_unique<StatusItemController>(
            desktop, prefs, updater, [this] { ++settingsShown; }, [this] { ++quits; },
            [this](QAction* a) { bound = a; }, panel);
    }

    InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    InMemoryWorkspace workspace;
    InMemoryDesktopSwitch desktopSwitch;
    DesktopController desktop{desktopSwitch, prefs, workspace};
    InMemoryUpdateService updateService;
    int activations = 0;
    AppUpdater updater{updateService, [this] { ++activations; }};
    int settingsShown = 0;
    int quits = 0;
    QAction* bound = nullptr;
    std::unique_ptr<StatusItemController> status;
};

}  // namespace hushpane::test
