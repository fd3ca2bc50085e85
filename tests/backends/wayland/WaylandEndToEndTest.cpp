// The real program in a Wayland session without any X server: weston's headless back-end, a
// private bus with the real xdg-desktop-portal and the stand-in desktop behind it, and this
// test as the panel's StatusNotifierWatcher that the tray icon registers with.

#include "PortalTestSession.h"

#include "backends/plist/PlistPreferenceDomain.h"
#include "support/EndProcess.h"
#include "support/PrivateSession.h"
#include "support/TestPaths.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace hushpane;
using hushpane::test::waitUntil;

namespace {

const QString kToggleId = QStringLiteral("toggleDesktop");

// What a panel offers: items register with it, and it says a host shows them.
class StatusNotifierWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const { return items_; }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) { items_.append(service); }
    void RegisterStatusNotifierHost(const QString&) {}

Q_SIGNALS:
    void StatusNotifierItemRegistered(const QString& service);

private:
    QStringList items_;
};

class WaylandEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session.isValid()) << session.error().toStdString();
        ASSERT_TRUE(portal.start()) << portal.error().toStdString();
        bus = session.bus();
        ASSERT_TRUE(bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher,
                                       QDBusConnection::ExportAllSlots |
                                           QDBusConnection::ExportAllProperties |
                                           QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
        env = session.environment();
        ASSERT_FALSE(env.contains(QStringLiteral("DISPLAY")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("XDG_SESSION_TYPE"), QStringLiteral("wayland"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("app.hushpane.*=true"));
        // No desktop here draws icons: the Finder-compatible switch is chosen by name.
        PlistPreferenceDomain appDomain(
            QStringLiteral("app.hushpane"),
            session.configHome() + QStringLiteral("/hushpane/Preferences/app.hushpane.plist"));
        appDomain.setValue(QStringLiteral("desktopDriver"), QVariant(QStringLiteral("finder")));
        ASSERT_TRUE(appDomain.synchronize());
        finder.start(test::standInFinderPath(), {});
        ASSERT_TRUE(finder.waitForStarted(5000));
    }

    void TearDown() override {
        test::endProcess(app);
        test::endProcess(finder);
    }

    std::optional<bool> createDesktop() const {
        PlistPreferenceDomain domain(
            QStringLiteral("com.apple.finder"),
            session.configHome() + QStringLiteral("/hushpane/Preferences/com.apple.finder.plist"));
        const auto value = domain.copyValue(QStringLiteral("CreateDesktop"));
        return value ? std::optional<bool>(value->toBool()) : std::nullopt;
    }

    int runCommand(const QStringList& arguments) {
        QProcess command;
        command.setProcessEnvironment(env);
        command.start(test::buildDirectory() + QStringLiteral("/hushpane"), arguments);
        if (!command.waitForFinished(20000)) {
            test::endProcess(command);
            return -1;
        }
        return command.exitCode();
    }

    QVariant control(const QString& method, const QList<QVariant>& arguments = {}) {
        const QVariant value = portal.control(method, arguments).arguments().value(0);
        if (value.canConvert<QDBusArgument>()) {
            return qdbus_cast<QVariantMap>(value.value<QDBusArgument>());
        }
        return value;
    }

    QVariant itemProperty(const QString& service, const QString& name) {
        QDBusMessage get = QDBusMessage::createMethodCall(
            service, QStringLiteral("/StatusNotifierItem"),
            QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
        get << QStringLiteral("org.kde.StatusNotifierItem") << name;
        const QDBusMessage reply = bus.call(get, QDBus::Block, 5000);
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }

    test::PrivateSession session{{.bus = true, .wayland = true}};
    test::PortalTestSession portal{session};
    QDBusConnection bus{QString()};
    StatusNotifierWatcher watcher;
    QProcessEnvironment env;
    QProcess app;
    QProcess finder;
};

}  // namespace

TEST_F(WaylandEndToEnd, StartsWithoutXShowsItsTrayIconAndTogglesByUrlAndByThePortal) {
    app.setProcessEnvironment(env);
    app.setProcessChannelMode(QProcess::ForwardedChannels);
    app.start(test::buildDirectory() + QStringLiteral("/hushpane"), {});
    ASSERT_TRUE(app.waitForStarted(10000));

    // Its tray icon is a StatusNotifierItem that the panel can read.
    ASSERT_TRUE(waitUntil([&] { return !watcher.items().isEmpty(); }, 20000))
        << "no StatusNotifierItem registered";
    // The tray may register again once it knows its panel: the newest item is the one shown.
    QString service;
    EXPECT_TRUE(waitUntil(
        [&] {
            service = watcher.items().constLast().section(QLatin1Char('/'), 0, 0);
            return !itemProperty(service, QStringLiteral("Status")).toString().isEmpty();
        },
        20000))
        << "no StatusNotifierItem answers with its status";
    EXPECT_EQ(session.ownerPid(service), app.processId());

    // Its shortcut went to the desktop through the portal, with the stored keys preferred.
    ASSERT_TRUE(waitUntil([&] {
        return control(QStringLiteral("LastBind")).toMap().contains(kToggleId);
    })) << "no shortcut was bound through the portal";
    EXPECT_EQ(control(QStringLiteral("LastBind")).toMap().value(kToggleId).toString(),
              QStringLiteral("CTRL+ALT+LOGO+d"));

    // A URL command from a second start: handed over, no second portal session.
    EXPECT_EQ(runCommand({QStringLiteral("hushpane://hide")}), 0);
    ASSERT_TRUE(waitUntil([&] { return createDesktop() == false; }));
    EXPECT_EQ(control(QStringLiteral("SessionsCreated")).toInt(), 1);

    // The desktop's shortcut fires: key down does nothing yet, key up shows the icons.
    EXPECT_TRUE(control(QStringLiteral("Activate"), {kToggleId}).toBool());
    waitUntil([] { return false; }, 300);
    EXPECT_EQ(createDesktop(), false);
    EXPECT_TRUE(control(QStringLiteral("Deactivate"), {kToggleId}).toBool());
    ASSERT_TRUE(waitUntil([&] { return createDesktop() == true; }));
    EXPECT_EQ(app.state(), QProcess::Running);
}

#include "WaylandEndToEndTest.moc"
