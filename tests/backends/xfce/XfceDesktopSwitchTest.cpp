#include "support/PrivateSession.h"
#include "support/XfceDesktopProfile.h"

#include "backends/posix/PosixFileBookmarks.h"
#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfceDetection.h"
#include "backends/xfce/XfceWorkspace.h"
#include "backends/xfce/XfconfClient.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "services/DesktopController.h"
#include "services/Preferences.h"
#include "support/LogCapture.h"

#include <QDBusConnection>

#include <gtest/gtest.h>

#include <csignal>

namespace hushpane {
namespace {

using test::InMemoryPreferenceDomain;
using test::LogCapture;
using test::PrivateSession;
using test::XfceDesktopProfile;

const QString kStyle = QStringLiteral("/desktop-icons/style");
const QString kSavedKey = QString::fromLatin1(XfceDesktopSwitch::kSavedIconStyleKey);

class XfceDesktopSwitchTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(session.isValid()) << session.error().toStdString(); }

    void setStyle(int style) {
        ASSERT_TRUE(XfceDesktopProfile::query(
            session, {QStringLiteral("-p"), kStyle, QStringLiteral("-n"), QStringLiteral("-t"),
                      QStringLiteral("int"), QStringLiteral("-s"), QString::number(style)}));
    }
    std::optional<QString> style() const { return XfceDesktopProfile::property(session, kStyle); }

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
    ASSERT_TRUE(XfceDesktopProfile::query(
        session, {QStringLiteral("-p"), kStyle, QStringLiteral("-n"), QStringLiteral("-t"),
                  QStringLiteral("string"), QStringLiteral("-s"), QStringLiteral("none")}));
    XfceDesktopSwitch desktop(XfconfClient(session.bus()), defaults);
    EXPECT_TRUE(desktop.createsDesktop());
    EXPECT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_FALSE(defaults.objectForKey(kSavedKey));
    EXPECT_FALSE(desktop.createsDesktop());
}

// A daemon that has stopped answering costs one bounded timeout, becomes the user-visible text,
// and is not asked again (by any copy of the client) until the quiet period is over.
TEST_F(XfceDesktopSwitchTest, AHungDaemonGivesAClearErrorWithinOneTimeout) {
    setStyle(2);
    const qint64 pid = session.ownerPid(QStringLiteral("org.xfce.Xfconf"));
    ASSERT_GT(pid, 0);
    const XfconfClient client(session.bus(), 300);
    XfceDesktopSwitch desktop(client, defaults);
    XfceWorkspace workspace(client, [] { return 0; });

    ASSERT_EQ(::kill(static_cast<pid_t>(pid), SIGSTOP), 0);
    const std::optional<QString> error = desktop.setCreatesDesktop(false);
    ::kill(static_cast<pid_t>(pid), SIGCONT);
    ASSERT_TRUE(error);
    const QString prefix = QStringLiteral("Couldn't change the XFCE desktop: ");
    ASSERT_TRUE(error->startsWith(prefix)) << error->toStdString();
    EXPECT_GT(error->size(), prefix.size());
    // Nothing was written, and nothing saved from a value we never read.
    EXPECT_EQ(style(), QStringLiteral("2"));
    EXPECT_FALSE(defaults.objectForKey(kSavedKey));

    // The daemon answers again, but within the quiet period nobody waits for it.
    EXPECT_EQ(desktop.setCreatesDesktop(true), error);
    EXPECT_EQ(workspace.setDesktopImageUrl(QUrl::fromLocalFile(QStringLiteral("/pics/a.png")),
                                           workspace.screens().constFirst(), {}),
              error->mid(prefix.size()));
    EXPECT_EQ(style(), QStringLiteral("2"));

    XfceDesktopSwitch fresh(XfconfClient(session.bus()), defaults);
    EXPECT_EQ(fresh.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(style(), QStringLiteral("0"));
}

TEST(XfceUnreachable, DesktopControllerReportsTheBusErrorAndFollowsTheRequest) {
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
    EXPECT_TRUE(controller.isDesktopHidden());
    ASSERT_TRUE(controller.lastError());
    EXPECT_TRUE(
        controller.lastError()->startsWith(QStringLiteral("Couldn't change the XFCE desktop: ")));
    EXPECT_GT(controller.lastError()->size(), 35);

    EXPECT_FALSE(xfce::isXfceDesktopAvailable(XfconfClient(nowhere), QStringLiteral("GNOME")));
    QDBusConnection::disconnectFromBus(QStringLiteral("nowhere"));
}

TEST(XfceDetection, UsesTheSessionNameOrAnXfdesktopChannel) {
    EXPECT_TRUE(xfce::currentDesktopNamesXfce(QStringLiteral("XFCE")));
    EXPECT_TRUE(xfce::currentDesktopNamesXfce(QStringLiteral("X-Generic:xfce")));
    EXPECT_FALSE(xfce::currentDesktopNamesXfce(QStringLiteral("GNOME:XFCE-like")));
    EXPECT_FALSE(xfce::currentDesktopNamesXfce(QString()));

    PrivateSession session;
    ASSERT_TRUE(session.isValid()) << session.error().toStdString();
    const XfconfClient xfconf(session.bus());
    EXPECT_TRUE(xfce::isXfceDesktopAvailable(xfconf, QStringLiteral("XFCE")));
    // xfconfd answers, but xfdesktop never ran here.
    EXPECT_FALSE(xfce::isXfceDesktopAvailable(xfconf, QString()));
    ASSERT_EQ(xfconf.setProperty(QStringLiteral("xfce4-desktop"), kStyle, QVariant(2)),
              std::nullopt);
    EXPECT_TRUE(xfce::isXfceDesktopAvailable(xfconf, QStringLiteral("GNOME")));
}

}  // namespace
}  // namespace hushpane
