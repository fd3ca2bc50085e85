// The real hushpane in real Wayland sessions: KDE Plasma 6 (KWin, plasmashell) and GNOME 48
// (gnome-shell headless), each with the real xdg-desktop-portal and the desktop's own portal
// back-end, started by the shell harness (scripts/lib/desktops/plasma-wayland.sh and
// gnome-wayland.sh). Hushpane runs on Qt's wayland platform with no X server in reach, its
// desktop entry installed; its shortcut goes to the desktop through the GlobalShortcuts portal
// and real key presses and releases come from the compositor (KWin's fake input, Mutter's
// remote desktop). On GNOME the test is GNOME Settings' shortcut provider, the part that would
// show the user the "Add Keyboard Shortcuts" dialog: it adds the shortcut as asked, or the user
// cancels. Screenshots of every step are kept in tests/e2e/artifacts/.

#include "support/DesktopScreenCheck.h"
#include "support/DesktopScreenshots.h"
#include "support/EndProcess.h"
#include "support/HarnessDesktop.h"
#include "support/PortalCallMonitor.h"
#include "support/TestPaths.h"

#include "backends/plist/PlistPreferenceDomain.h"
#include "keyboard_shortcuts/Key.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <iostream>
#include <memory>
#include <optional>
#include <utility>

namespace hushpane {
namespace {

using test::HarnessDesktop;

constexpr int kWaitMs = 60000;
const QString kAppId = QStringLiteral("app.hushpane.Hushpane");
const QString kShortcutKey = QStringLiteral("KeyboardShortcuts_toggleDesktop");
const QString kDefaultKeys = QStringLiteral("ctrl+alt+super+d");
const QString kRecordedKeys = QStringLiteral("ctrl+alt+super+j");

// One shortcut as GNOME Settings' provider takes and gives it: an id and its options.
struct ProviderShortcut {
    QString id;
    QVariantMap options;
};
using ProviderShortcuts = QList<ProviderShortcut>;

QDBusArgument& operator<<(QDBusArgument& argument, const ProviderShortcut& shortcut) {
    argument.beginStructure();
    argument << shortcut.id << shortcut.options;
    argument.endStructure();
    return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, ProviderShortcut& shortcut) {
    argument.beginStructure();
    argument >> shortcut.id >> shortcut.options;
    argument.endStructure();
    return argument;
}

}  // namespace
}  // namespace hushpane

Q_DECLARE_METATYPE(hushpane::ProviderShortcut)

namespace hushpane {
namespace {

// GNOME Settings' global shortcuts provider, which GNOME's portal asks for every bind. For
// shortcuts it does not know yet the real one shows the "Add Keyboard Shortcuts" dialog, where
// the user either adds what the program proposes (the keys it prefers become the binding) or
// cancels; shortcuts the user added before come back as they were, without a dialog.
class StandInShortcutsProvider : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Settings.GlobalShortcutsProvider")
public:
    bool userCancels = false;
    int dialogs = 0;
    QString lastAppId;

public Q_SLOTS:
    ProviderShortcuts BindShortcuts(const QString& appId, const QString& /*parentWindow*/,
                                    const ProviderShortcuts& shortcuts) {
        lastAppId = appId;
        // As GNOME Settings does: a program it cannot name gets no dialog.
        if (appId.isEmpty()) {
            sendErrorReply(
                QStringLiteral("org.gnome.Settings.GlobalShortcutsProvider.InvalidAppId"),
                QStringLiteral("Discarded shortcut bind request from application "
                               "with an invalid app_id"));
            return {};
        }
        const bool known = std::all_of(shortcuts.begin(), shortcuts.end(), [&](const auto& s) {
            return added_.contains(appId + QLatin1Char('/') + s.id);
        });
        if (!known) {
            ++dialogs;
            if (userCancels) {
                sendErrorReply(
                    QStringLiteral("org.gnome.Settings.GlobalShortcutsProvider.Cancelled"),
                    QStringLiteral("the user cancelled the dialog"));
                return {};
            }
        }
        ProviderShortcuts answer;
        for (const ProviderShortcut& shortcut : shortcuts) {
            const QString key = appId + QLatin1Char('/') + shortcut.id;
            if (!added_.contains(key)) {
                const QString keys =
                    shortcut.options.value(QStringLiteral("preferred_trigger")).toString();
                added_.insert(key, {{QStringLiteral("description"),
                                     shortcut.options.value(QStringLiteral("description"))},
                                    {QStringLiteral("shortcuts"),
                                     keys.isEmpty() ? QStringList() : QStringList{keys}}});
            }
            answer.append({shortcut.id, added_.value(key)});
        }
        return answer;
    }

private:
    QMap<QString, QVariantMap> added_;  // by "<app id>/<shortcut id>"
};

// A screen cast as GNOME's sharing dialog makes one: Mutter's ScreenCast of the primary
// monitor, started and stopped on the session bus.
class MutterScreenCast : public QObject {
    Q_OBJECT
public:
    // Starts recording the monitor (or, with `window`, the focused window); the PipeWire node
    // of the cast, or 0 with error().
    quint32 start(bool window = false) {
        const auto session = call(QStringLiteral("/org/gnome/Mutter/ScreenCast"),
                                  QStringLiteral("org.gnome.Mutter.ScreenCast"),
                                  QStringLiteral("CreateSession"), {QVariantMap()});
        if (!session) {
            return 0;
        }
        session_ = *session;
        const auto stream =
            window ? call(session_, kSession, QStringLiteral("RecordWindow"), {QVariantMap()})
                   : call(session_, kSession, QStringLiteral("RecordMonitor"),
                          {QString(), QVariantMap()});
        if (!stream) {
            return 0;
        }
        QDBusConnection::sessionBus().connect(
            kService, *stream, QStringLiteral("org.gnome.Mutter.ScreenCast.Stream"),
            QStringLiteral("PipeWireStreamAdded"), this, SLOT(onStreamAdded(uint)));
        if (!call(session_, kSession, QStringLiteral("Start"), {}, false)) {
            return 0;
        }
        if (!QTest::qWaitFor([this] { return node_ != 0; }, kWaitMs)) {
            error_ = QStringLiteral("Mutter announced no PipeWire stream");
        }
        return node_;
    }
    bool stop() { return call(session_, kSession, QStringLiteral("Stop"), {}, false).has_value(); }
    const QString& error() const { return error_; }

private Q_SLOTS:
    void onStreamAdded(uint node) { node_ = node; }

private:
    static inline const QString kService = QStringLiteral("org.gnome.Mutter.ScreenCast");
    static inline const QString kSession = QStringLiteral("org.gnome.Mutter.ScreenCast.Session");

    // The object path the method answered with (empty when it answers nothing), or nothing.
    std::optional<QString> call(const QString& path, const QString& interface,
                                const QString& method, const QVariantList& arguments,
                                bool answersPath = true) {
        QDBusMessage message = QDBusMessage::createMethodCall(kService, path, interface, method);
        message.setArguments(arguments);
        const QDBusMessage reply = QDBusConnection::sessionBus().call(message);
        if (reply.type() != QDBusMessage::ReplyMessage) {
            error_ = method + QStringLiteral(": ") + reply.errorMessage();
            return std::nullopt;
        }
        if (!answersPath) {
            return QString();
        }
        return reply.arguments().value(0).value<QDBusObjectPath>().path();
    }

    QString session_;
    quint32 node_ = 0;
    QString error_;
};

class WaylandSession : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(desktop.isValid()) << desktop.error().toStdString();
        ASSERT_TRUE(desktop.isWayland()) << desktop.name().toStdString() << " is not on Wayland";
        ASSERT_GT(test::DesktopScreenCheck::pixelsOtherThan(desktop.drawn(), desktop.behindIcons(),
                                                            desktop.iconArea()),
                  0)
            << "the desktop drew no icons";
        shots = std::make_unique<test::DesktopScreenshots>(desktop);
        preferencesFile = qEnvironmentVariable("XDG_CONFIG_HOME") +
                          QStringLiteral("/hushpane/Preferences/app.hushpane.plist");
        shownState = desktop.query(QStringLiteral("desktop_icons_state"));
        // The portal knows a program by its installed desktop entry, whose program must be
        // found: the entry as the package installs it, pointing at this build's program.
        QFile entry(test::sourceDirectory() + QStringLiteral("/src/resources/") + kAppId +
                    QStringLiteral(".desktop"));
        ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
        QString text = QString::fromUtf8(entry.readAll());
        text.replace(QStringLiteral("\nExec=hushpane "),
                     QStringLiteral("\nExec=") + hushpane() + QLatin1Char(' '));
        QFile installed(qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/applications/") +
                        kAppId + QStringLiteral(".desktop"));
        ASSERT_TRUE(installed.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(installed.write(text.toUtf8()), text.toUtf8().size());
        installed.close();
        portal = std::make_unique<test::PortalCallMonitor>();
        ASSERT_TRUE(portal->isWatching()) << portal->error().toStdString();
        if (onGnome()) {
            qDBusRegisterMetaType<ProviderShortcut>();
            qDBusRegisterMetaType<ProviderShortcuts>();
            QDBusConnection bus = QDBusConnection::sessionBus();
            // A program that asked the portal early (DING reads its settings) may have had the
            // real provider started by the bus: the test takes its place.
            const QString name = QStringLiteral("org.gnome.Settings.GlobalShortcutsProvider");
            if (bus.interface()->isServiceRegistered(name)) {
                ::kill(static_cast<pid_t>(bus.interface()->servicePid(name).value()), SIGTERM);
                ASSERT_TRUE(QTest::qWaitFor(
                    [&] { return !bus.interface()->isServiceRegistered(name).value(); }, kWaitMs));
            }
            ASSERT_TRUE(
                bus.registerObject(QStringLiteral("/org/gnome/Settings/GlobalShortcutsProvider"),
                                   &provider, QDBusConnection::ExportAllSlots));
            ASSERT_TRUE(bus.registerService(name));
        }
    }

    void TearDown() override {
        if (app) {
            test::endProcess(*app);
        }
        if (HasFailure()) {
            QFile log(logFile());
            if (log.open(QIODevice::ReadOnly)) {
                std::cerr << "hushpane's log:\n" << log.readAll().toStdString();
            }
            std::cerr << "the portal's calls and signals:\n" << portal->transcript().toStdString();
        }
    }

    bool onGnome() const { return desktop.name().startsWith(QLatin1String("gnome")); }
    bool onPlasma() const { return desktop.name().startsWith(QLatin1String("plasma")); }

    QString logFile() const {
        return desktop.sessionDirectory() + QStringLiteral("/hushpane-under-test.log");
    }
    QString hushpane() const { return test::buildDirectory() + QStringLiteral("/hushpane"); }
    QProcessEnvironment environment() const {
        QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
        variables.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        variables.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("app.hushpane.*=true"));
        variables.insert(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"), QStringLiteral("1"));
        variables.remove(QStringLiteral("DISPLAY"));
        return variables;
    }

    // The real program as the session starts it; returns once it owns its bus name and has
    // stored its shortcut.
    void startHushpane() {
        app = std::make_unique<QProcess>();
        app->setProcessEnvironment(environment());
        app->setStandardOutputFile(QProcess::nullDevice());
        app->setStandardErrorFile(logFile(), QIODevice::Append);
        app->start(hushpane(), {});
        ASSERT_TRUE(app->waitForStarted(kWaitMs));
        const auto launched = [this] {
            PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
            return QDBusConnection::sessionBus().interface()->isServiceRegistered(
                       QStringLiteral("app.hushpane")) &&
                   domain.snapshot().contains(kShortcutKey);
        };
        ASSERT_TRUE(QTest::qWaitFor(launched, kWaitMs)) << "hushpane did not finish launching";
    }
    // Quits it as the user does, from its menu's Quit (SIGTERM ends it the same way).
    void quitHushpane() {
        test::endProcess(*app);
        app.reset();
    }
    // The portal has answered everything Hushpane asked, and the compositor had a moment to
    // take the keys.
    void waitUntilThePortalAnswered() const {
        ASSERT_TRUE(QTest::qWaitFor([&] { return portal->settled(); }, kWaitMs))
            << "the portal did not answer every request";
        QTest::qWait(1000);
    }
    // The key of the stored shortcut (the recorder stores carbon key codes), -1 without one.
    int storedKeyCode() const {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
        const auto value = domain.copyValue(kShortcutKey);
        return value ? QJsonDocument::fromJson(value->toString().toUtf8())
                           .object()
                           .value(QStringLiteral("carbonKeyCode"))
                           .toInt(-1)
                     : -1;
    }

    // `hushpane URL`, which hands the URL to the running one.
    void command(const QString& url) const {
        QProcess second;
        second.setProcessEnvironment(environment());
        second.start(hushpane(), {url});
        ASSERT_TRUE(second.waitForFinished(kWaitMs)) << url.toStdString();
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    }
    void press(const QString& keys) const {
        ASSERT_TRUE(desktop.pressKeys(keys)) << keys.toStdString();
    }

    QString iconState() const { return desktop.query(QStringLiteral("desktop_icons_state")); }
    // The desktop's icon setting says hidden, and the icon area shows only what is behind them.
    void expectHidden(const QString& name) const {
        const QString hidden = desktop.variable(QStringLiteral("desktop_icons_hidden"));
        EXPECT_TRUE(QTest::qWaitFor([&] { return iconState() == hidden; }, kWaitMs))
            << name.toStdString() << ": the icon setting reads " << iconState().toStdString()
            << "; the portal's key signals: " << portal->sent(QStringLiteral("Activated"))
            << " activated, " << portal->sent(QStringLiteral("Deactivated")) << " deactivated";
        shots->expectOnly(desktop.behindIcons(), name, desktop.iconArea());
    }
    // The icon setting is back, and the screen is as before (within 2 % of the icons' pixels).
    void expectShown(const QString& name) const {
        EXPECT_TRUE(QTest::qWaitFor([&] { return iconState() == shownState; }, kWaitMs))
            << name.toStdString() << ": the icon setting reads " << iconState().toStdString();
        shots->expectAsBefore(desktop.drawn(), desktop.behindIcons(), name, desktop.iconArea());
    }

    // The settings window through AT-SPI (tests/support/atspi-window: "texts" reads what a
    // screen reader finds, one a line; "focus" puts the focus into the recorder): the exit
    // status and the output.
    std::pair<int, QString> settingsWindow(const QString& action) const {
        QProcess reader;
        reader.start(test::sourceDirectory() + QStringLiteral("/tests/support/atspi-window"),
                     {action, QStringLiteral("Hushpane Settings")});
        if (!reader.waitForFinished(kWaitMs)) {
            test::endProcess(reader);
            return {-1, QStringLiteral("atspi-window did not finish")};
        }
        return {reader.exitCode(),
                QString::fromUtf8(reader.readAllStandardOutput() + reader.readAllStandardError())};
    }

    // What opened System Settings on Plasma (a stand-in that notes its starts), one a line.
    static QString settingsOpened() {
        QFile opened(qEnvironmentVariable("HUSHPANE_TEST_SETTINGS_OPENED"));
        return opened.open(QIODevice::ReadOnly) ? QString::fromUtf8(opened.readAll()) : QString();
    }
    // Ten quiet seconds: the portal is not asked to bind again.
    void expectNoFurtherBind() const {
        const int binds = portal->calls(QStringLiteral("BindShortcuts"));
        QTest::qWait(10000);
        EXPECT_EQ(portal->calls(QStringLiteral("BindShortcuts")), binds)
            << "the bind was repeated without a user action";
    }

    HarnessDesktop desktop;
    std::unique_ptr<test::DesktopScreenshots> shots;
    std::unique_ptr<test::PortalCallMonitor> portal;
    StandInShortcutsProvider provider;
    QString preferencesFile;
    QString shownState;
    std::unique_ptr<QProcess> app;
};

TEST_F(WaylandSession, TheBoundKeysAndUrlCommandsHideAndShowTheIcons) {
    startHushpane();
    waitUntilThePortalAnswered();
    EXPECT_EQ(portal->calls(QStringLiteral("CreateSession")), 1);
    EXPECT_LE(portal->calls(QStringLiteral("BindShortcuts")), 1);
    if (onGnome()) {
        EXPECT_EQ(provider.dialogs, 1) << "GNOME Settings was not asked once";
        EXPECT_EQ(provider.lastAppId, kAppId);
    }

    command(QStringLiteral("hushpane://hide"));
    expectHidden(QStringLiteral("hidden-url"));
    command(QStringLiteral("hushpane://show"));
    expectShown(QStringLiteral("shown-url"));

    press(kDefaultKeys);
    expectHidden(QStringLiteral("hidden-keys"));
    press(kDefaultKeys);
    expectShown(QStringLiteral("shown-keys"));

    expectNoFurtherBind();
    EXPECT_EQ(app->state(), QProcess::Running);
}

// A new recording in the settings window (the recorder focused as a screen reader does it,
// the keys pressed on the keyboard), then Hushpane started again: the one shortcut moved to the
// new keys, the start binds nothing (the desktop holds the shortcut), so nothing opens; the old
// keys do nothing, the new ones toggle, and kglobalaccel keeps the shortcut under one
// component, the application's id. Plasma only: GNOME Settings keeps the keys the user added
// for a shortcut it knows, and its portal (version 1) has no way to change them.
TEST_F(WaylandSession, ANewRecordingAndARestartMoveTheShortcutToTheNewKeys) {
    if (!onPlasma()) {
        GTEST_SKIP()
            << "GNOME Settings keeps the keys the user added; its portal cannot change them";
    }
    startHushpane();
    waitUntilThePortalAnswered();
    command(QStringLiteral("hushpane://settings"));
    ASSERT_EQ(settingsWindow(QStringLiteral("focus")).first, 0) << "the recorder took no focus";
    press(kRecordedKeys);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return storedKeyCode() == KeyboardShortcuts::Key::j.rawValue; }, kWaitMs))
        << "the recorder did not store the new keys";
    waitUntilThePortalAnswered();
    quitHushpane();

    const int binds = portal->calls(QStringLiteral("BindShortcuts"));
    const QString opened = settingsOpened();
    startHushpane();
    waitUntilThePortalAnswered();
    EXPECT_EQ(portal->calls(QStringLiteral("BindShortcuts")), binds)
        << "the shortcut the desktop holds was bound again";

    press(kDefaultKeys);
    QTest::qWait(3000);
    EXPECT_EQ(iconState(), shownState) << "the old keys still toggle the icons";
    press(kRecordedKeys);
    expectHidden(QStringLiteral("hidden-new-keys"));
    press(kRecordedKeys);
    expectShown(QStringLiteral("shown-new-keys"));

    expectNoFurtherBind();
    EXPECT_EQ(settingsOpened(), opened) << "System Settings was opened at start";
    QFile file(qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/kglobalshortcutsrc"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString shortcuts = QString::fromUtf8(file.readAll());
    static const QRegularExpression component(QStringLiteral("^\\[([^\\]]+)\\]$"),
                                              QRegularExpression::MultilineOption);
    QStringList components;
    for (auto found = component.globalMatch(shortcuts); found.hasNext();) {
        components.append(found.next().captured(1));
    }
    EXPECT_TRUE(components.contains(kAppId)) << shortcuts.toStdString();
    EXPECT_TRUE(components.filter(QRegularExpression(QStringLiteral("^token_"))).isEmpty())
        << shortcuts.toStdString();
}

// The user cancels GNOME's dialog: the settings say where the shortcut is set instead (the
// command to bind in the desktop's keyboard settings, and the button that adds it there), and
// nothing asks again by itself.
TEST_F(WaylandSession, ACancelledBindShowsWhereToSetTheShortcutAndIsNotAskedAgain) {
    if (!onGnome()) {
        GTEST_SKIP() << "Plasma 6.3 binds without asking the user";
    }
    provider.userCancels = true;
    startHushpane();
    waitUntilThePortalAnswered();
    EXPECT_EQ(provider.dialogs, 1);
    expectNoFurtherBind();
    EXPECT_EQ(provider.dialogs, 1) << "the dialog came again without a user action";

    command(QStringLiteral("hushpane://settings"));
    const QString texts = settingsWindow(QStringLiteral("texts")).second;
    // The command to bind, and the button that adds it to GNOME's own keyboard shortcuts.
    EXPECT_TRUE(texts.contains(QStringLiteral("hushpane://toggle"))) << texts.toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("Add to GNOME's Keyboard Shortcuts")))
        << texts.toStdString();
    EXPECT_EQ(app->state(), QProcess::Running);
}

// Sharing the screen with "Hide automatically while the screen is shared" on: a cast of the
// monitor made as GNOME's sharing dialog makes it, and a viewer (a GStreamer PipeWire source,
// as a browser or a recorder attaches): the icons go while it is viewed and come back once the
// cast stops. Mutter names a window's cast as it names a monitor's, so a window cast hides
// them too; that is not told apart here.
TEST_F(WaylandSession, AViewedScreenCastHidesTheIconsUntilItStops) {
    if (!onGnome()) {
        GTEST_SKIP() << "KWin's screen cast is not driven here";
    }
    if (QStandardPaths::findExecutable(QStringLiteral("gst-launch-1.0")).isEmpty()) {
        GTEST_SKIP() << "gst-launch-1.0 (gstreamer1.0-tools) is not installed";
    }
    {
        PlistPreferenceDomain domain(QStringLiteral("app.hushpane"), preferencesFile);
        domain.setValue(QStringLiteral("hideWhileScreenShared"), QVariant(true));
        ASSERT_TRUE(domain.synchronize());
    }
    startHushpane();

    MutterScreenCast cast;
    const quint32 node = cast.start();
    ASSERT_NE(node, 0u) << cast.error().toStdString();
    QProcess viewer;
    viewer.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    viewer.setStandardOutputFile(QProcess::nullDevice());
    viewer.start(
        QStringLiteral("gst-launch-1.0"),
        {QStringLiteral("-q"), QStringLiteral("pipewiresrc"), QStringLiteral("path=%1").arg(node),
         // What WirePlumber needs to link a stream to its target.
         QStringLiteral("stream-properties=props,media.type=Video,"
                        "media.category=Capture,media.role=Screen"),
         QStringLiteral("!"), QStringLiteral("fakesink")});
    ASSERT_TRUE(viewer.waitForStarted(kWaitMs));
    expectHidden(QStringLiteral("hidden-screen-shared"));

    ASSERT_TRUE(cast.stop()) << cast.error().toStdString();
    expectShown(QStringLiteral("shown-share-ended"));
    test::endProcess(viewer);
    EXPECT_EQ(app->state(), QProcess::Running);
}

}  // namespace
}  // namespace hushpane

#include "WaylandSessionTest.moc"
