#include "PlasmaShellModel.h"

#include "backends/plasma/PlasmaDesktopSwitch.h"
#include "backends/plasma/PlasmaShellClient.h"
#include "backends/plasma/PlasmaWorkspace.h"
#include "common/UserDefaults.h"
#include "fakes/InMemoryPreferenceDomain.h"
#include "support/PrivateSession.h"
#include "support/TestPaths.h"

#include <QDBusMessage>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>

namespace hushpane {
namespace {

using test::InMemoryPreferenceDomain;
using test::PlasmaShellModel;
using test::PrivateSession;

const QString kGeneral = QStringLiteral("General");

QJsonObject oneScreen() {
    return {{QStringLiteral("activity"), QStringLiteral("A")},
            {QStringLiteral("desktops"),
             QJsonArray{PlasmaShellModel::desktop(
                 1, 0, QStringLiteral("A"), QStringLiteral("org.kde.plasma.folder"),
                 {{QStringLiteral("Wallpaper/org.kde.image/General"),
                   QJsonObject{{QStringLiteral("Image"), QStringLiteral("file:///own.png")}}}})}}};
}

// The stand-in plasmashell on the session's private bus.
class PlasmaShellBusTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        shell = session.start(
            test::buildDirectory() + QStringLiteral("/tests/bin/stand_in_plasmashell"),
            {QString::fromUtf8(QJsonDocument(oneScreen()).toJson(QJsonDocument::Compact))});
        ASSERT_NE(shell, nullptr);
        ASSERT_TRUE(QTest::qWaitFor([this] { return session.ownerPid(kName) > 0; }, 10000));
    }

    QDBusMessage control(const QString& method, const QVariantList& arguments = {}) const {
        QDBusMessage call = QDBusMessage::createMethodCall(
            kName, QStringLiteral("/Control"),
            QStringLiteral("org.hushpane.test.PlasmaShellControl"), method);
        call.setArguments(arguments);
        return session.bus().call(call, QDBus::Block, 5000);
    }
    QJsonObject general() const {
        const QJsonObject state =
            QJsonDocument::fromJson(
                control(QStringLiteral("state")).arguments().value(0).toString().toUtf8())
                .object();
        return state[QStringLiteral("desktops")][0][QStringLiteral("config")][kGeneral].toObject();
    }

    const QString kName = QStringLiteral("org.kde.plasmashell");
    PrivateSession session;
    QProcess* shell = nullptr;
    InMemoryPreferenceDomain domain{QStringLiteral("app.hushpane")};
    UserDefaults defaults{domain};
};

TEST_F(PlasmaShellBusTest, HidesAndShowsThroughTheBus) {
    PlasmaShellClient client(session.bus());
    PlasmaDesktopSwitch desktop(client, defaults);
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);
    EXPECT_EQ(general(), PlasmaDesktopSwitch::hiddenFilter());
    EXPECT_FALSE(desktop.createsDesktop());
    ASSERT_EQ(desktop.setCreatesDesktop(true), std::nullopt);
    EXPECT_EQ(general(), PlasmaDesktopSwitch::defaultFilter());
    // Every script was Hushpane's own shape: its data first, as one JSON literal.
    for (const QString& script :
         control(QStringLiteral("scripts")).arguments().value(0).toStringList()) {
        EXPECT_TRUE(script.startsWith(QStringLiteral("var input = {")));
    }

    PlasmaWorkspace workspace(client);
    const QList<WorkspaceScreen> screens = workspace.screens();
    ASSERT_EQ(screens.size(), 1);
    EXPECT_EQ(workspace.desktopImageUrl(screens[0]), QUrl(QStringLiteral("file:///own.png")));

    // A text that is no answer is an error, on the bus as in the model.
    control(QStringLiteral("answerNextWith"), {QStringLiteral("{\"folderViews\": ")});
    const std::optional<QString> error = desktop.setCreatesDesktop(false);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->contains(QStringLiteral("something unexpected"))) << error->toStdString();
}

TEST_F(PlasmaShellBusTest, AScriptErrorIsPassedOn) {
    PlasmaShellClient client(session.bus());
    const PlasmaScripting::Reply reply = client.evaluateScript(QStringLiteral("nonsense((("));
    ASSERT_TRUE(reply.error);
    EXPECT_TRUE(reply.error->startsWith(QStringLiteral("plasmashell refused the script: ")))
        << reply.error->toStdString();
}

// Stopped, it costs one bounded wait; the calls after fail at once until it answers again.
// Gone, it is "not running".
TEST_F(PlasmaShellBusTest, AHungOrVanishedShellFailsWithinTheTimeout) {
    PlasmaShellClient client(session.bus());
    PlasmaDesktopSwitch desktop(client, defaults);
    const auto pid = static_cast<pid_t>(session.ownerPid(kName));
    ASSERT_EQ(::kill(pid, SIGSTOP), 0);
    std::optional<QString> error = desktop.setCreatesDesktop(false);
    EXPECT_TRUE(client.isSilenced());
    const std::optional<QString> again = desktop.setCreatesDesktop(false);
    ::kill(pid, SIGCONT);
    EXPECT_EQ(error, QStringLiteral("Couldn't change the KDE Plasma desktop: plasmashell doesn't "
                                    "answer (waited 400 ms); nothing was changed"));
    EXPECT_EQ(again, error);
    EXPECT_FALSE(defaults.objectForKey(QString::fromLatin1(PlasmaDesktopSwitch::kSavedFiltersKey)));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !client.isSilenced(); }, 5000));
    EXPECT_EQ(general(), QJsonObject());
    ASSERT_EQ(desktop.setCreatesDesktop(false), std::nullopt);

    shell->kill();
    shell->waitForFinished(5000);
    ASSERT_TRUE(QTest::qWaitFor([this] { return session.ownerPid(kName) == 0; }, 5000));
    error = desktop.setCreatesDesktop(true);
    EXPECT_EQ(error, QStringLiteral("Couldn't change the KDE Plasma desktop: plasmashell is not "
                                    "running; the icons stay hidden"));
    EXPECT_TRUE(desktop.createsDesktop());
}

}  // namespace
}  // namespace hushpane
