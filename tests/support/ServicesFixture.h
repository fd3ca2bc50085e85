#pragma once

#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryUpdateService.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/AppUpdater.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <gtest/gtest.h>

namespace hushpane::test {

// The shared services over the in-memory platform, wired as the application wires them, for
// the tests of what sits on top (the tray menu, the settings window). `Updates` is the update
// service the fixture needs.
template <typename Updates = InMemoryUpdateService>
class ServicesFixture : public ::testing::Test {
protected:
    InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    InMemoryWorkspace workspace;
    InMemoryDesktopSwitch desktopSwitch;
    DesktopController desktop{desktopSwitch, prefs, workspace};
    Updates updateService;
    AppUpdater updater{updateService};
    // How often the updater asked for the application to come forward.
    int activations = 0;

    ServicesFixture() {
        QObject::connect(&updater, &AppUpdater::activationRequested, [this] { ++activations; });
    }
};

}  // namespace hushpane::test
