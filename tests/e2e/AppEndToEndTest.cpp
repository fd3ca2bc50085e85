// The real program, started as a new user would start it: a private session bus, a
// temporary HOME and the shared virtual display; the Finder-compatible desktop switch with a
// stand-in Finder for the real killall to end.

#include "backends/plist/PlistPreferenceDomain.h"
#include "support/PrivateSession.h"
#include "support/TestPaths.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QDeadlineTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

using namespace hushpane;

namespace {

QString hushpanePath() {
    return test::buildDirectory() + QStringLiteral("/hushpane");
}

bool waitFor(const std::function<bool()>& condition, int ms = 15000) {
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (condition()) {
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(20);
    }
    return condition();
}

class AppEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        ASSERT_FALSE(qEnvironmentVariableIsEmpty("DISPLAY")) << "needs the shared Xvfb";
        env = session.environment();
        env.remove(QStringLiteral("XDG_CURRENT_DESKTOP"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("DISPLAY"));
        // The log lines tell how often Finder was restarted.
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("app.hushpane.*=true"));
        prefs = session.configHome() + QStringLiteral("/hushpane/Preferences/");
        // Outside macOS the Finder-compatible switch is only there when chosen.
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"),
                                     prefs + QStringLiteral("app.hushpane.plist"));
        domain.setValue(QStringLiteral("desktopDriver"), QVariant(QStringLiteral("finder")));
        ASSERT_TRUE(domain.synchronize());
    }

    void TearDown() override {
        if (app.state() != QProcess::NotRunning) {
            app.kill();
            app.waitForFinished(5000);
        }
        for (QProcess* finder : finders) {
            if (finder->state() != QProcess::NotRunning) {
                finder->kill();
                finder->waitForFinished(2000);
            }
            delete finder;
        }
    }

    void startApp() {
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::SeparateChannels);
        app.start(hushpanePath(), {});
        ASSERT_TRUE(app.waitForStarted(10000));
        // Running once it answers as the instance, and launched once the default shortcut is
        // stored (at the first run) or its state adopted.
        ASSERT_TRUE(waitFor([&] {
            return session.ownerPid(QStringLiteral("app.hushpane")) == app.processId() &&
                   defaults().contains(QStringLiteral("KeyboardShortcuts_toggleDesktop"));
        })) << "the program did not finish launching";
    }

    // A second start of the program with these arguments; its exit code.
    int runCommand(const QStringList& arguments, QString* errorOutput = nullptr) {
        QProcess command;
        command.setProcessEnvironment(env);
        command.start(hushpanePath(), arguments);
        if (!command.waitForFinished(20000)) {
            command.kill();
            command.waitForFinished(2000);
            return -1;
        }
        if (errorOutput) {
            *errorOutput = QString::fromLocal8Bit(command.readAllStandardError());
        }
        return command.exitCode();
    }

    QProcess* startFinder() {
        auto* finder = new QProcess;
        finder->start(test::standInFinderPath(), {});
        finder->waitForStarted(5000);
        finders.append(finder);
        return finder;
    }

    QVariantMap defaults() const {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"),
                                     prefs + QStringLiteral("app.hushpane.plist"));
        return domain.snapshot();
    }
    std::optional<QVariant> createDesktop() const {
        PlistPreferenceDomain domain(QStringLiteral("com.apple.finder"),
                                     prefs + QStringLiteral("com.apple.finder.plist"));
        return domain.copyValue(QStringLiteral("CreateDesktop"));
    }
    int finderRestarts() {
        log += QString::fromLocal8Bit(app.readAllStandardError());
        return static_cast<int>(log.count(QStringLiteral("relaunching Finder")));
    }

    test::PrivateSession session;
    QProcessEnvironment env;
    QString prefs;
    QProcess app;
    QString log;
    QList<QProcess*> finders;
};

}  // namespace

// A session without a desktop Hushpane knows: the toggle is refused, nothing is written.
TEST_F(AppEndToEnd, WithoutASupportedDesktopHidingFailsAndWritesNothing) {
    PlistPreferenceDomain domain(QStringLiteral("app.hushpane"),
                                 prefs + QStringLiteral("app.hushpane.plist"));
    domain.setValue(QStringLiteral("desktopDriver"), QVariant(QStringLiteral("auto")));
    ASSERT_TRUE(domain.synchronize());
    env.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("sway"));
    startApp();
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://hide")}), 0);
    ASSERT_TRUE(waitFor([&] {
        log += QString::fromLocal8Bit(app.readAllStandardError());
        return log.contains(
            QStringLiteral("Couldn't hide the desktop icons: no supported desktop "
                           "was found (XDG_CURRENT_DESKTOP=sway)"));
    }));
    EXPECT_FALSE(createDesktop());
    EXPECT_EQ(finderRestarts(), 0);
    EXPECT_FALSE(QFile::exists(prefs + QStringLiteral("com.apple.finder.plist")));
}

TEST_F(AppEndToEnd, FirstLaunchStoresTheDefaultShortcutAndUrlCommandsDriveTheDesktop) {
    startApp();
    const QVariant stored = defaults().value(QStringLiteral("KeyboardShortcuts_toggleDesktop"));
    ASSERT_EQ(stored.typeId(), QMetaType::QString);
    const QJsonObject json = QJsonDocument::fromJson(stored.toString().toUtf8()).object();
    EXPECT_EQ(json.value(QStringLiteral("carbonKeyCode")).toInt(), 2);
    EXPECT_EQ(json.value(QStringLiteral("carbonModifiers")).toInt(), 6400);
    EXPECT_FALSE(createDesktop());  // launch adopts the state and writes nothing

    QProcess* finder = startFinder();
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://hide")}), 0);
    ASSERT_TRUE(waitFor([&] {
        return createDesktop() && createDesktop()->typeId() == QMetaType::Bool &&
               !createDesktop()->toBool();
    }));
    EXPECT_TRUE(finder->waitForFinished(5000)) << "the stand-in Finder was not ended";

    EXPECT_EQ(runCommand({QStringLiteral("HUSHPANE://Toggle")}), 0);
    ASSERT_TRUE(waitFor([&] { return createDesktop() && createDesktop()->toBool(); }));
    ASSERT_TRUE(waitFor([&] { return finderRestarts() == 2; }));

    // A mistyped command is told to the user and reaches nobody; the running one goes on.
    QString refusal;
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://hid")}, &refusal), 2);
    EXPECT_TRUE(refusal.contains(QStringLiteral("\"hushpane://hid\" is not a Hushpane command")))
        << refusal.toStdString();
    // The running instance itself ignores what it does not know, whoever sends it.
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("app.hushpane"), QStringLiteral("/app/hushpane"),
        QStringLiteral("app.hushpane.Instance"), QStringLiteral("Activate"));
    call << QStringList{QStringLiteral("hushpane://quit"), QStringLiteral("hushpane:")};
    EXPECT_NE(session.bus().call(call).type(), QDBusMessage::ErrorMessage);
    QThread::msleep(500);
    EXPECT_EQ(finderRestarts(), 2);
    EXPECT_TRUE(createDesktop()->toBool());
    EXPECT_EQ(app.state(), QProcess::Running);

    // Two URLs in one call: handled in order, each with its own Finder restart.
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://hide"), QStringLiteral("hushpane://show")}),
              0);
    ASSERT_TRUE(waitFor([&] { return finderRestarts() == 4; }));
    EXPECT_TRUE(createDesktop()->toBool());
    const qsizetype lastShow = log.lastIndexOf(QStringLiteral("CreateDesktop set to true"));
    const qsizetype lastHide = log.lastIndexOf(QStringLiteral("CreateDesktop set to false"));
    EXPECT_LT(lastHide, lastShow);
    EXPECT_EQ(log.indexOf(QStringLiteral("CreateDesktop set to"), lastHide + 1), lastShow);

    QString error;
    EXPECT_EQ(runCommand({QStringLiteral("hide")}, &error), 2);
    EXPECT_TRUE(error.contains(QStringLiteral("is not a URL"))) << error.toStdString();
}

TEST_F(AppEndToEnd, HandsOffHelpsAndRefusesWithoutADisplay) {
    startApp();
    QProcessEnvironment running = env;
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));

    QProcess* finder = startFinder();
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://hide")}), 0);  // no SIGABRT any more
    ASSERT_TRUE(waitFor([&] { return createDesktop() && !createDesktop()->toBool(); }));
    EXPECT_TRUE(finder->waitForFinished(5000));

    QString output;
    EXPECT_EQ(runCommand({QStringLiteral("--bogus")}, &output), 2);
    EXPECT_TRUE(output.contains(QStringLiteral("unknown option \"--bogus\"")))
        << output.toStdString();

    // Nobody running and no display: a sentence instead of an abort.
    ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
    ASSERT_TRUE(app.waitForFinished(10000));
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://show")}, &output), 1);
    EXPECT_TRUE(output.contains(QStringLiteral("no display"))) << output.toStdString();
    // A display whose server is gone: the same sentence, not Qt's abort.
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":4093"));
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://show")}, &output), 1);
    EXPECT_TRUE(
        output.contains(QStringLiteral("no display to show the tray icon on (DISPLAY=:4093 "
                                       "cannot be opened)")))
        << output.toStdString();
    env = running;
}

namespace {

// Owns the instance's name and answers every call with an error, counting them.
class FailingInstance : public QDBusVirtualObject {
public:
    explicit FailingInstance(QDBusConnection bus) : bus_(std::move(bus)) {}
    QString introspect(const QString& /*path*/) const override { return {}; }
    bool handleMessage(const QDBusMessage& message,
                       const QDBusConnection& /*connection*/) override {
        ++calls;
        bus_.send(message.createErrorReply(QDBusError::Failed, QStringLiteral("too busy")));
        return true;
    }
    int calls = 0;

private:
    QDBusConnection bus_;
};

}  // namespace

// The command hands its URLs over once: an instance that answers with an error is reported,
// and not asked again by the program, which would do a toggle twice.
TEST_F(AppEndToEnd, TheCommandReportsAFailedHandOffWithoutAskingAgain) {
    QDBusConnection bus = session.bus();
    FailingInstance instance(bus);
    ASSERT_TRUE(bus.registerVirtualObject(QStringLiteral("/app/hushpane"), &instance));
    ASSERT_TRUE(bus.registerService(QStringLiteral("app.hushpane")));
    QProcess command;
    command.setProcessEnvironment(env);
    command.start(hushpanePath(), {QStringLiteral("hushpane://toggle")});
    EXPECT_TRUE(waitFor([&] { return command.state() == QProcess::NotRunning; }));
    EXPECT_EQ(command.exitCode(), 1);
    EXPECT_TRUE(command.readAllStandardError().contains(
        "hushpane: couldn't reach the running Hushpane: too busy"));
    EXPECT_EQ(instance.calls, 1);
    bus.unregisterService(QStringLiteral("app.hushpane"));
    bus.unregisterObject(QStringLiteral("/app/hushpane"));
}

// The command finds the program beside it through any link to it, and says where it looked
// when the program is gone.
TEST(Launcher, FindsTheProgramThroughALinkAndNamesItWhenMissing) {
    const QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString link = dir.filePath(QStringLiteral("hushpane"));
    ASSERT_TRUE(QFile::link(hushpanePath(), link));
    QProcess command;
    command.start(link, {QStringLiteral("--version")});
    ASSERT_TRUE(command.waitForFinished(10000));
    EXPECT_EQ(command.exitCode(), 0);
    EXPECT_TRUE(command.readAllStandardOutput().startsWith("Hushpane "));

    const QString copy = dir.filePath(QStringLiteral("copy"));
    ASSERT_TRUE(QFile::copy(hushpanePath(), copy));
    QProcessEnvironment noBus;  // nobody to hand over to: the program is needed
    noBus.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    command.setProcessEnvironment(noBus);
    command.start(copy, {QStringLiteral("hushpane://toggle")});
    ASSERT_TRUE(command.waitForFinished(10000));
    EXPECT_EQ(command.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(command.readAllStandardError());
    EXPECT_TRUE(error.startsWith(QStringLiteral("hushpane: the Hushpane program is missing")) &&
                error.contains(dir.path() + QStringLiteral("/libexec/hushpane/hushpane")))
        << error.toStdString();
}

TEST(CommandLineWithoutADisplay, HelpAndVersionNeedNoBusNorDisplay) {
    QProcess command;
    QProcessEnvironment bare;
    bare.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    command.setProcessEnvironment(bare);
    command.start(hushpanePath(), {QStringLiteral("--help")});
    ASSERT_TRUE(command.waitForFinished(10000));
    EXPECT_EQ(command.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(command.exitCode(), 0);
    const QString help = QString::fromLocal8Bit(command.readAllStandardOutput());
    EXPECT_TRUE(help.startsWith(QStringLiteral("Usage: hushpane"))) << help.toStdString();
    EXPECT_TRUE(command.readAllStandardError().isEmpty());

    command.start(hushpanePath(), {QStringLiteral("--version")});
    ASSERT_TRUE(command.waitForFinished(10000));
    EXPECT_EQ(command.exitCode(), 0);
    EXPECT_TRUE(command.readAllStandardOutput().startsWith("Hushpane "));
}

TEST_F(AppEndToEnd, TheUsersQuitShowsTheDesktopButTheSessionsLeavesItHidden) {
    startApp();
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://hide")}), 0);
    ASSERT_TRUE(waitFor([&] { return createDesktop() && !createDesktop()->toBool(); }));

    // Ending the session: SIGTERM leaves the desktop as it is.
    ::kill(static_cast<pid_t>(app.processId()), SIGTERM);
    ASSERT_TRUE(app.waitForFinished(10000));
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_FALSE(createDesktop()->toBool());

    // The next launch adopts the hidden desktop; the user's own quit (Ctrl-C) shows it again.
    startApp();
    ::kill(static_cast<pid_t>(app.processId()), SIGINT);
    ASSERT_TRUE(app.waitForFinished(10000));
    EXPECT_TRUE(createDesktop()->toBool());
}

TEST_F(AppEndToEnd, TheGlobalShortcutTogglesFromAnywhere) {
    startApp();
    const auto press = [&] {
        QProcess xdotool;
        xdotool.setProcessEnvironment(env);
        xdotool.start(QStringLiteral("xdotool"),
                      {QStringLiteral("key"), QStringLiteral("ctrl+alt+super+d")});
        return xdotool.waitForFinished(10000) && xdotool.exitCode() == 0;
    };
    ASSERT_TRUE(press());
    ASSERT_TRUE(waitFor([&] { return createDesktop() && !createDesktop()->toBool(); }));
    ASSERT_TRUE(press());
    ASSERT_TRUE(waitFor([&] { return createDesktop() && createDesktop()->toBool(); }));
    EXPECT_TRUE(waitFor([&] { return finderRestarts() == 2; }));  // one press, one toggle
}
