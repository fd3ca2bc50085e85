#include "fakes/InMemoryUpdateService.h"
#include "services/AppUpdater.h"

#include <QCoreApplication>
#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace hushpane;

TEST(AppUpdater, MirrorsTheServiceOneTurnLaterAndOnlyOnRealChanges) {
    test::InMemoryUpdateService service;
    AppUpdater updater(service);
    EXPECT_EQ(service.starts, 1);
    EXPECT_EQ(service.delegate, &updater);
    QSignalSpy changed(&updater, &AppUpdater::canCheckForUpdatesChanged);

    service.report(true);
    EXPECT_FALSE(updater.canCheckForUpdates());  // not before the main loop delivered it
    QCoreApplication::processEvents();
    EXPECT_TRUE(updater.canCheckForUpdates());
    service.report(true);
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 1);
    service.report(false);
    QCoreApplication::processEvents();
    EXPECT_EQ(changed.count(), 2);
}

TEST(AppUpdater, PassesTheAutomaticSettingThroughAndActivatesBeforeShowing) {
    test::InMemoryUpdateService service;
    AppUpdater updater(service);
    QSignalSpy activations(&updater, &AppUpdater::activationRequested);
    QSignalSpy automatic(&updater, &AppUpdater::automaticallyChecksForUpdatesChanged);

    updater.setAutomaticallyChecksForUpdates(true);  // unchanged, still written and announced
    updater.setAutomaticallyChecksForUpdates(false);
    EXPECT_EQ(automatic.count(), 2);
    EXPECT_EQ(service.automaticWrites, 2);
    EXPECT_FALSE(updater.automaticallyChecksForUpdates());

    updater.checkForUpdates();
    EXPECT_EQ(activations.count(), 1);
    EXPECT_EQ(service.checks, 1);

    EXPECT_TRUE(updater.supportsGentleScheduledUpdateReminders());
    updater.standardUserDriverWillHandleShowingUpdate(false);
    EXPECT_EQ(activations.count(), 1);
    updater.standardUserDriverWillHandleShowingUpdate(true);
    EXPECT_EQ(activations.count(), 2);
}
