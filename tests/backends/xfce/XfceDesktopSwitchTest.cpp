#include "support/PrivateSession.h"
#include "support/XfconfCommand.h"

#include "backends/posix/PosixFileBookmarks.h"
#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfceWorkspace.h"
#include "backends/xfce/XfconfClient.h"
#include "backends/xfce/XfconfPropertyWatcher.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "support/LogCapture.h"

#include <QDBusConnection>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace hushpane {
namespace {

using test::InMemoryPreferenceDomain;
using test::LogCapture;
using test::PrivateSession;

const QString kStyle = QStringLiteral("/desktop-icons/style");
const QString kSavedKey = QString::fromLatin1(XfceDesktopSwitch::kSavedIconStyleKey);

class XfceDesktopSwitchTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.isValid()) << session.error().toStdString(); }

    void setStyle(int style) {
        ASSERT_TRUE(test::xfconfQuery(
            {QStringLiteral("-p"), kStyle, QStringLiteral("-n"), QStringLiteral("-t"),
             QStringLiteral("int"), QStringLiteral("-s"), QString::number(style)},
            session.environment()));
    }
    std::optional<QString> style() const {
        return test::xfconfProperty(kStyle, session.environment());
    }

    PrivateSession session;
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
};

TEST_F(XfceDesktopSwitchTest, HidingRemembersTheStyleAndShowingBringsItBack) {
    setStyle(XfceDesktopSwitch::kMinimizedWindowIcons);
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);
    LogCapture log;

    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("0"));
    EXPECT_FALSE(desktop.createsDesktop());
    EXPECT_EQ(defaults.objectForKey(kSavedKey), QVariant(qlonglong(1)));

    // xfdesktop binds the property as an int: it must stay one.
    const XfconfClient::Value raw =
        XfconfClient(session.bus()).property(QStringLiteral("xfce4-desktop"), kStyle);
    ASSERT_TRUE(raw.value);
    EXPECT_EQ(raw.value->typeId(), QMetaType::Int);

    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("1"));
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(log.formatted(QStringLiteral("app.hushpane.desktop")),
              QStringList({QStringLiteral("info: XFCE desktop icon style set to 0 (was 1); "
                                          "xfdesktop applies it live"),
                           QStringLiteral("info: XFCE desktop icon style set to 1; "
                                          "xfdesktop applies it live")}));
}

TEST_F(XfceDesktopSwitchTest, NoStoredStyleMeansFileIconsBothWays) {
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("0"));
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("2"));
}

// A run that ended while hidden left 0 in xfconf and the user's style in our defaults; hiding
// again must not replace that saved style with 0.
TEST_F(XfceDesktopSwitchTest, AdoptsAHiddenDesktopAndKeepsTheEarlierSavedStyle) {
    setStyle(0);
    defaults.setInteger(kSavedKey, 1);
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);

    EXPECT_FALSE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(defaults.objectForKey(kSavedKey), QVariant(qlonglong(1)));
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("1"));
}

TEST_F(XfceDesktopSwitchTest, AHandEditedSavedStyleShowsFileIconsAndIsKept) {
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);
    setStyle(0);
    for (const QVariant& bad :
         {QVariant(QStringLiteral("lots")), QVariant(qlonglong(7)), QVariant(true)}) {
        defaults.setObject(kSavedKey, bad);
        LogCapture log;
        EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
        EXPECT_EQ(style(), QStringLiteral("2")) << bad.toString().toStdString();
        EXPECT_EQ(defaults.objectForKey(kSavedKey), bad);
        EXPECT_TRUE(log.formatted(QStringLiteral("app.hushpane.desktop"))
                        .constFirst()
                        .startsWith(QStringLiteral("warning: Ignoring the saved XFCE")));
        setStyle(0);
    }
}

TEST_F(XfceDesktopSwitchTest, ShowingKeepsAStyleTheUserChoseWhileShown) {
    defaults.setInteger(kSavedKey, 2);
    setStyle(1);
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);
    EXPECT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("1"));
}

TEST_F(XfceDesktopSwitchTest, AStyleThatIsNotANumberReadsAsShown) {
    ASSERT_TRUE(
        test::xfconfQuery({QStringLiteral("-p"), kStyle, QStringLiteral("-n"), QStringLiteral("-t"),
                           QStringLiteral("string"), QStringLiteral("-s"), QStringLiteral("none")},
                          session.environment()));
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_FALSE(defaults.objectForKey(kSavedKey));
    EXPECT_FALSE(desktop.createsDesktop());
}

// xfconfd stops (SIGSTOP): a hide costs one bounded timeout, is reported and changes nothing,
// here or on the desktop. As soon as the daemon runs again, one press hides.
TEST_F(XfceDesktopSwitchTest, AStoppedDaemonFailsOnePressAndTheNextPressAfterItWorks) {
    setStyle(2);
    const qint64 pid = session.ownerPid(QStringLiteral("org.xfce.Xfconf"));
    ASSERT_GT(pid, 0);
    PosixFileBookmarks bookmarks;
    Preferences preferences(defaults, bookmarks);
    EXPECT_LT(XfconfClient::kDefaultTimeoutMs, 1000);
    // A long quiet period: only the daemon's own answer can end the silence in this test.
    const XfconfClient client(session.bus(), XfconfClient::kDefaultTimeoutMs, 600000);
    XfceDesktopSwitch desktop(client, defaults);
    XfceWorkspace workspace(client, [] { return 0; });
    DesktopController controller(desktop, preferences, workspace);

    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGSTOP), 0);
    controller.hide();
    EXPECT_TRUE(client.isSilenced());
    // A second press while it is stopped fails at once with the same text.
    const std::optional<QString> error = controller.lastError();
    controller.hide();
    ::kill(static_cast<pid_t>(pid), SIGCONT);
    ASSERT_TRUE(error);
    const QString prefix = QStringLiteral("Couldn't change the XFCE desktop: ");
    ASSERT_TRUE(error->startsWith(prefix)) << error->toStdString();
    EXPECT_GT(error->size(), prefix.size());
    EXPECT_EQ(controller.lastError(), error);
    EXPECT_FALSE(controller.isDesktopHidden());
    // Nothing was written, and nothing saved from a value we never read.
    EXPECT_EQ(style(), QStringLiteral("2"));
    EXPECT_FALSE(defaults.objectForKey(kSavedKey));

    // The daemon's answer to the waiting ping lifts the silence without anyone pressing.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !client.isSilenced(); }, 5000));
    // xfdesktop takes one change at a time: each press here is taken at once, without its wait.
    controller.hide();
    controller.finishPendingChange();
    EXPECT_TRUE(controller.isDesktopHidden());
    EXPECT_EQ(controller.lastError(), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("0"));
    controller.show();
    controller.finishPendingChange();
    EXPECT_EQ(style(), QStringLiteral("2"));
}

// Another program changes the style: the controller follows what the desktop shows.
TEST_F(XfceDesktopSwitchTest, ChangesMadeInTheDesktopsSettingsAreAdopted) {
    setStyle(2);
    PosixFileBookmarks bookmarks;
    Preferences preferences(defaults, bookmarks);
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);
    XfceWorkspace workspace(XfconfClient(session.bus()), [] { return 0; });
    DesktopController controller(desktop, preferences, workspace);
    EXPECT_FALSE(controller.isDesktopHidden());

    setStyle(0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return controller.isDesktopHidden(); }, 5000));
    setStyle(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !controller.isDesktopHidden(); }, 5000));
}

// Every change of the one property is heard, whatever the value, and removing it too; other
// properties are not.
TEST_F(XfceDesktopSwitchTest, TheWatcherHearsEachChangeOfItsPropertyOnly) {
    int heard = 0;
    const XfconfPropertyWatcher watcher(session.bus(), QStringLiteral("xfce4-desktop"), kStyle);
    QObject::connect(&watcher, &XfconfPropertyWatcher::changed, [&heard] { ++heard; });
    for (const int style : {2, 0, 1, 0}) {
        const int before = heard;
        setStyle(style);
        EXPECT_TRUE(QTest::qWaitFor([&] { return heard == before + 1; }, 5000))
            << "style " << style;
    }
    ASSERT_TRUE(test::xfconfQuery(
        {QStringLiteral("-p"), QStringLiteral("/desktop-icons/icon-size"), QStringLiteral("-n"),
         QStringLiteral("-t"), QStringLiteral("int"), QStringLiteral("-s"), QStringLiteral("48")},
        session.environment()));
    ASSERT_TRUE(test::xfconfQuery({QStringLiteral("-p"), kStyle, QStringLiteral("-r")},
                                  session.environment()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return heard == 5; }, 5000));
    QTest::qWait(100);
    EXPECT_EQ(heard, 5);
}

TEST(XfceUnreachable, DesktopControllerReportsTheBusErrorAndKeepsTheState) {
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
    PosixFileBookmarks bookmarks;
    Preferences preferences(defaults, bookmarks);
    // Nobody listens here: the connection never comes up.
    const QDBusConnection nowhere = QDBusConnection::connectToBus(
        QStringLiteral("unix:path=/nonexistent/hushpane-bus"), QStringLiteral("nowhere"));
    ASSERT_FALSE(nowhere.isConnected());
    XfceDesktopSwitch desktop(XfconfClient(nowhere), defaults);
    XfceWorkspace workspace{XfconfClient(nowhere)};
    DesktopController controller(desktop, preferences, workspace);

    EXPECT_FALSE(controller.isDesktopHidden());
    controller.hide();
    EXPECT_FALSE(controller.isDesktopHidden());
    ASSERT_TRUE(controller.lastError());
    EXPECT_TRUE(
        controller.lastError()->startsWith(QStringLiteral("Couldn't change the XFCE desktop: ")));
    EXPECT_GT(controller.lastError()->size(), 35);
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

}  // namespace
}  // namespace hushpane
