// The GNOME switch over a real bus against a stand-in GNOME Shell (stand_in_shell_extensions)
// on the test's private session bus: what goes over the wire, a Shell that hangs, one that
// vanishes, and the user switching the extension in the Shell meanwhile.

#include "backends/gnome/GnomeDesktopSwitch.h"
#include "backends/gnome/ShellExtensionsClient.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "support/EndProcess.h"
#include "support/PrivateSession.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace hushpane {
namespace {

using test::PrivateSession;

const QString kDing = QStringLiteral("ding@rastersoft.com");

bool waitUntil(const std::function<bool()>& condition, int ms = 10000) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (condition()) {
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return condition();
}

class ShellExtensionsOverTheBus : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        shell = session.start(
            test::buildDirectory() + QStringLiteral("/tests/bin/stand_in_shell_extensions"),
            {kDing + QStringLiteral("=1")});
        ASSERT_NE(shell, nullptr);
        ASSERT_TRUE(
            waitUntil([this] { return session.ownerPid(QStringLiteral("org.gnome.Shell")) > 0; }));
        client = std::make_unique<ShellExtensionsClient>(session.bus());
        desktop = std::make_unique<GnomeDesktopSwitch>(*client, defaults);
        desktop->setExternalChangeHandler([this] { ++changes; });
    }

    QVariant control(const QString& method, const QList<QVariant>& arguments = {}) const {
        QDBusMessage call = QDBusMessage::createMethodCall(
            QStringLiteral("org.gnome.Shell"), QStringLiteral("/control"),
            QStringLiteral("app.hushpane.test.ShellExtensionsControl"), method);
        call.setArguments(arguments);
        return session.bus().call(call, QDBus::Block, 5000).arguments().value(0);
    }
    int dingState() const { return control(QStringLiteral("State"), {kDing}).toInt(); }
    pid_t shellPid() const {
        return static_cast<pid_t>(session.ownerPid(QStringLiteral("org.gnome.Shell")));
    }

    PrivateSession session;
    QProcess* shell = nullptr;
    test::InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
    std::unique_ptr<ShellExtensionsClient> client;
    std::unique_ptr<GnomeDesktopSwitch> desktop;
    int changes = 0;
};

TEST_F(ShellExtensionsOverTheBus, HideAndShowSwitchTheExtensionAndTheUsersSwitchIsHeard) {
    EXPECT_TRUE(desktop->createsDesktop());
    EXPECT_EQ(desktop->setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(dingState(), 2);
    EXPECT_TRUE(control(QStringLiteral("Calls"))
                    .toStringList()
                    .contains(QStringLiteral("DisableExtension ") + kDing));
    EXPECT_FALSE(desktop->createsDesktop());
    EXPECT_EQ(desktop->setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(dingState(), 1);

    // Unknown to the Shell: an empty dictionary, which is no extension.
    EXPECT_EQ(client->extension(QStringLiteral("nothing@example.org")).info, std::nullopt);

    ASSERT_EQ(desktop->setCreatesDesktop(false), std::nullopt);
    // Each switch is heard too: off, on, off.
    ASSERT_TRUE(waitUntil([&] { return changes == 3; })) << changes;
    control(QStringLiteral("SetState"), {kDing, 1});
    ASSERT_TRUE(waitUntil([&] { return changes == 4; })) << changes;
    EXPECT_TRUE(desktop->createsDesktop());
}

// A Shell that takes its time to switch the extension holds nothing: the request returns at
// once and is answered when the Shell is done.
TEST_F(ShellExtensionsOverTheBus, ASlowSwitchIsAnsweredLaterWithoutHoldingTheCaller) {
    control(QStringLiteral("SetSwitchDelay"), {300});
    std::optional<std::optional<QString>> answer;
    desktop->requestCreatesDesktop(
        false, [&](const std::optional<QString>& failure) { answer = failure; });
    EXPECT_FALSE(answer) << "answered before the Shell switched the extension";
    ASSERT_TRUE(waitUntil([&] { return answer.has_value(); }));
    EXPECT_EQ(*answer, std::nullopt);
    EXPECT_EQ(dingState(), 2);
    answer.reset();
    desktop->requestCreatesDesktop(
        true, [&](const std::optional<QString>& failure) { answer = failure; });
    EXPECT_FALSE(answer);
    ASSERT_TRUE(waitUntil([&] { return answer.has_value(); }));
    EXPECT_EQ(*answer, std::nullopt);
    EXPECT_EQ(dingState(), 1);
}

TEST_F(ShellExtensionsOverTheBus, AHungShellCostsOneTimeoutAndIsHeardWhenItAnswersAgain) {
    const pid_t pid = shellPid();
    ASSERT_GT(pid, 0);
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
    QElapsedTimer timer;
    timer.start();
    const std::optional<QString> first = desktop->setCreatesDesktop(false);
    const std::optional<QString> second = desktop->setCreatesDesktop(false);
    const qint64 took = timer.elapsed();
    const int before = changes;
    ::kill(pid, SIGCONT);
    ASSERT_TRUE(first);
    EXPECT_EQ(*first, QStringLiteral("Couldn't change the GNOME desktop: GNOME Shell doesn't "
                                     "answer (waited 0.4 s)"));
    EXPECT_EQ(second, first);
    // The second call fails at once; a bound, not a measurement.
    EXPECT_LT(took, 2 * kDesktopCallTimeoutMs + 1000);
    EXPECT_EQ(defaults.objectForKey(QString::fromLatin1(GnomeDesktopSwitch::kSavedExtensionsKey)),
              std::nullopt);

    ASSERT_TRUE(waitUntil([&] { return changes > before; }));
    EXPECT_EQ(desktop->setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(dingState(), 2);
}

TEST_F(ShellExtensionsOverTheBus, AVanishedShellIsSaidAndNeverStarted) {
    ASSERT_EQ(desktop->setCreatesDesktop(false), std::nullopt);
    ASSERT_TRUE(waitUntil([&] { return changes == 1; }));
    test::endProcess(*shell);
    ASSERT_TRUE(waitUntil([&] { return changes > 1; }));
    const std::optional<QString> error = desktop->setCreatesDesktop(true);
    ASSERT_TRUE(error);
    EXPECT_EQ(*error, QStringLiteral("Couldn't change the GNOME desktop: GNOME Shell is not "
                                     "running (nothing owns org.gnome.Shell on the session bus)"));
    EXPECT_TRUE(desktop->createsDesktop());
    EXPECT_FALSE(session.bus().interface()->isServiceRegistered(QStringLiteral("org.gnome.Shell")));
    // What to switch back on is kept for the Shell's return.
    EXPECT_TRUE(
        defaults.objectForKey(QString::fromLatin1(GnomeDesktopSwitch::kSavedExtensionsKey)));
}

}  // namespace
}  // namespace hushpane
