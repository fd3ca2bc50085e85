// Notifications of a failed hide or show through a real notification service
// (notification-daemon) in a private session of its own: bus and display.
#include "support/PrivateSession.h"

#include "backends/linux/FreedesktopNotifications.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryDesktopSwitch.h"
#include "fakes/InMemoryFileBookmarks.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "fakes/InMemoryWorkspace.h"
#include "services/DesktopController.h"
#include "services/FailureNotice.h"
#include "services/Preferences.h"

#include <QDBusMessage>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace hushpane {
namespace {

const QString kDaemon = QStringLiteral("/usr/lib/notification-daemon/notification-daemon");
const QString kService = QString::fromLatin1(FreedesktopNotifications::kService);
constexpr int kWaitMs = 10000;

TEST(FreedesktopNotifications, AFailedHideIsShownOnceAndAgainAfterItWasClosed) {
    if (!QFile::exists(kDaemon)) {
        GTEST_SKIP() << "notification-daemon is not installed";
    }
    test::PrivateSession session(test::PrivateSession::Options{.bus = true, .display = true});
    ASSERT_TRUE(session.isValid()) << session.error().toStdString();
    ASSERT_NE(session.start(kDaemon), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return session.ownerPid(kService) != 0; }, kWaitMs));

    test::InMemoryPreferenceDomain domain;
    UserDefaults defaults(domain);
    test::InMemoryFileBookmarks bookmarks;
    Preferences preferences(defaults, bookmarks);
    test::InMemoryWorkspace workspace;
    // On the heap: GCC 12 with AddressSanitizer takes the optional inside one on the stack for
    // uninitialised.
    const auto desktop = std::make_unique<test::InMemoryDesktopSwitch>();
    desktop->failure = QStringLiteral("xfconfd did not answer");
    DesktopController controller(*desktop, preferences, workspace);
    FreedesktopNotifications notifications(session.bus());
    FailureNotice notice(controller, notifications);
    QSignalSpy answered(&notifications, &FreedesktopNotifications::answered);

    controller.hide();
    ASSERT_TRUE(answered.wait(kWaitMs));
    const uint id = notifications.notificationId();
    EXPECT_NE(id, 0u);
    EXPECT_TRUE(notifications.isShowing());

    // The same failure again while it is on screen: nothing new.
    controller.hide();
    EXPECT_FALSE(answered.wait(500));

    // Closed by the service: the next failure shows again.
    QDBusMessage close =
        QDBusMessage::createMethodCall(kService, QStringLiteral("/org/freedesktop/Notifications"),
                                       kService, QStringLiteral("CloseNotification"));
    close << id;
    ASSERT_EQ(session.bus().call(close).type(), QDBusMessage::ReplyMessage);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !notifications.isShowing(); }, kWaitMs));
    controller.hide();
    ASSERT_TRUE(answered.wait(kWaitMs));
    EXPECT_NE(notifications.notificationId(), 0u);
}

}  // namespace
}  // namespace hushpane
