#pragma once

#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryLoginItemService.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryUpdateService.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/AppUpdater.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace hushpane::test {

class SourceUpdateService : public InMemoryUpdateService {
public:
    QString sourceDescription() const override { return source; }
    QString source = QStringLiteral("updates.hushpane.example");
};

// The real shared objects over the in-memory platform, as the application wires them.
class SettingsFixture : public ::testing::Test {
protected:
    SettingsFixture() {
        workspace.addDisplay(QStringLiteral("screen"), 1,
                             QUrl::fromLocalFile(QStringLiteral("/usr/share/backgrounds/own.png")));
    }

    // Finds the one child of `root` with that object name, or fails the test.
    template <typename T>
    static T* find(const QObject* root, const QString& name) {
        const QList<T*> found = root->findChildren<T*>(name);
        EXPECT_EQ(found.size(), 1) << "object " << name.toStdString();
        return found.isEmpty() ? nullptr : found.first();
    }

    InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    InMemoryWorkspace workspace;
    InMemoryDesktopSwitch desktopSwitch;
    DesktopController desktop{desktopSwitch, prefs, workspace};
    SourceUpdateService updateService;
    int activations = 0;
    AppUpdater updater{updateService, [this] { ++activations; }};
    InMemoryLoginItemService loginItems;
    int quits = 0;
};

}  // namespace hushpane::test
