// A build whose package manager updates it: no checks anywhere, and the settings say why.

#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryLoginItemService.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryWorkspace.h"
#include "menu/StatusItemController.h"
#include "services/AppUpdater.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "settings/SettingsView.h"
#include "update/PackageManagedUpdateService.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QLabel>
#include <QMenu>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

class PackageManagedUpdates : public ::testing::Test {
protected:
    PackageManagedUpdates() {
        // What a self-built Hushpane had stored stays untouched.
        defaults.setBool(QStringLiteral("SUEnableAutomaticChecks"), true);
        service.start(&updater);
        QCoreApplication::processEvents();
    }

    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults{domain};
    test::InMemoryFileBookmarks bookmarks;
    Preferences prefs{defaults, bookmarks};
    test::InMemoryWorkspace workspace;
    test::InMemoryDesktopSwitch desktopSwitch;
    DesktopController desktop{desktopSwitch, prefs, workspace};
    PackageManagedUpdateService service;
    AppUpdater updater{service};
    test::InMemoryLoginItemService loginItems;
};

}  // namespace

TEST_F(PackageManagedUpdates, NothingChecksAndTheSettingsSaySo) {
    EXPECT_TRUE(updater.isUpdatedByPackageManager());
    EXPECT_FALSE(updater.canCheckForUpdates());
    EXPECT_FALSE(updater.automaticallyChecksForUpdates());
    updater.setAutomaticallyChecksForUpdates(true);
    EXPECT_FALSE(updater.automaticallyChecksForUpdates());
    EXPECT_EQ(defaults.objectForKey(QStringLiteral("SUEnableAutomaticChecks")), QVariant(true));

    SettingsView view(prefs, desktop, updater, loginItems, QStringLiteral("0.1.0"), {});
    view.show();
    const QWidget* section = view.findChild<QWidget*>(QStringLiteral("updatesSection"));
    ASSERT_NE(section, nullptr);
    QStringList shown;
    for (const QLabel* label : section->findChildren<QLabel*>()) {
        if (label->isVisibleTo(&view)) {
            shown.append(label->text());
        }
    }
    EXPECT_TRUE(shown.contains(QStringLiteral("Your package manager keeps Hushpane up to date.")))
        << shown.join(u'|').toStdString();
    EXPECT_FALSE(shown.contains(QStringLiteral("Automatically check for updates")));
    for (const QAbstractButton* button : section->findChildren<QAbstractButton*>()) {
        EXPECT_FALSE(button->isVisibleTo(&view)) << button->objectName().toStdString();
    }

    StatusItemController status(desktop, prefs, updater);
    for (const QAction* action : status.menu()->actions()) {
        if (action->text() == QStringLiteral("Check for Updates…")) {
            EXPECT_FALSE(action->isVisible());
        }
    }
}
