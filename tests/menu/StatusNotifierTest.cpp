// The tray icon through a StatusNotifierItem host: a stand-in watcher and host on the test's
// own session bus, which calls the item as a panel would.

#include "StatusItemFixture.h"
#include "TrayContrast.h"
#include "backends/linux/X11TrayPanel.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QKeySequence>
#include <QMenu>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

using namespace hushpane;

namespace {

// The watcher with a host registered. It lives in a thread of its own, so the application's
// blocking calls to it are answered while the main thread waits.
class StandInWatcher : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ isHostRegistered)
    Q_PROPERTY(int ProtocolVersion READ protocolVersion)
    Q_PROPERTY(QStringList RegisteredStatusNotifierItems READ items)
public:
    bool isHostRegistered() const { return true; }
    int protocolVersion() const { return 0; }
    QStringList items() const {
        QMutexLocker lock(&mutex_);
        return items_;
    }

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) {
        QMutexLocker lock(&mutex_);
        items_.append(service);
    }
    void RegisterStatusNotifierHost(const QString&) {}

private:
    mutable QMutex mutex_;
    QStringList items_;
};

class StatusNotifier : public test::StatusItemFixture {
protected:
    static void SetUpTestSuite() {
        // One watcher for the process: the application decides once whether to use it.
        thread = new QThread;
        watcher = new StandInWatcher;
        QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                            QStringLiteral("stand-in-watcher"));
        registered = bus.registerObject(QStringLiteral("/StatusNotifierWatcher"), watcher,
                                        QDBusConnection::ExportAllContents) &&
                     bus.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
        watcher->moveToThread(thread);
        thread->start();
    }
    static void TearDownTestSuite() {
        thread->quit();
        thread->wait();
        delete thread;
    }

    void SetUp() override {
        ASSERT_TRUE(registered) << "needs a session bus of the test's own";
        const qsizetype before = watcher->items().size();
        // Found as the program finds it: the watcher on the bus says a host is registered.
        trayPanel = std::make_unique<X11TrayPanel>(
            X11TrayPanel::hasStatusNotifierHost(QDBusConnection::sessionBus()));
        makeStatusItem(trayPanel.get());
        ASSERT_TRUE(QTest::qWaitFor([&] { return watcher->items().size() > before; }));
        service = watcher->items().constLast();
    }

    QDBusMessage call(const QString& interface, const QString& method,
                      const QVariantList& arguments) {
        QDBusMessage message = QDBusMessage::createMethodCall(
            service, QStringLiteral("/StatusNotifierItem"), interface, method);
        message.setArguments(arguments);
        // The item lives on this thread: the call is answered while the loop turns. It goes
        // out on a connection of its own, as a panel's would, so it is sent over the bus.
        QDBusPendingCall pending = QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                                                 QStringLiteral("stand-in-host"))
                                       .asyncCall(message);
        if (!QTest::qWaitFor([&] { return pending.isFinished(); })) {
            ADD_FAILURE() << "no answer to " << method.toStdString();
        }
        return pending.reply();
    }

    QVariant property(const QString& name) {
        const QDBusMessage reply =
            call(QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"),
                 {QStringLiteral("org.kde.StatusNotifierItem"), name});
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
            return {};
        }
        return reply.arguments().constFirst().value<QDBusVariant>().variant();
    }

    // The largest picture of IconPixmap (width, height, ARGB32 in network byte order).
    QImage iconPixmap() {
        const QVariant value = property(QStringLiteral("IconPixmap"));
        const auto argument = value.value<QDBusArgument>();
        QImage best;
        argument.beginArray();
        while (!argument.atEnd()) {
            int width = 0;
            int height = 0;
            QByteArray data;
            argument.beginStructure();
            argument >> width >> height >> data;
            argument.endStructure();
            if (width <= best.width() || data.size() < width * height * 4) {
                continue;
            }
            QImage image(width, height, QImage::Format_ARGB32);
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    const auto* p =
                        reinterpret_cast<const uchar*>(data.constData()) + 4 * (y * width + x);
                    image.setPixel(x, y, qRgba(p[1], p[2], p[3], p[0]));
                }
            }
            best = image;
        }
        argument.endArray();
        return best;
    }

    static QImage on(const QImage& icon, const QColor& panel) {
        QImage out(icon.size(), QImage::Format_RGB32);
        out.fill(panel);
        QPainter painter(&out);
        painter.drawImage(0, 0, icon);
        return out;
    }

    static inline QThread* thread = nullptr;
    static inline StandInWatcher* watcher = nullptr;
    static inline bool registered = false;
    std::unique_ptr<X11TrayPanel> trayPanel;
    QString service;
};

}  // namespace

// The host draws the one menu, on the right button; the left one activates the item, which
// opens the settings and never a menu of the program's own at a guessed place.
TEST_F(StatusNotifier, ActivatingTheItemOpensTheSettingsAndTheHostDrawsTheMenu) {
    ASSERT_TRUE(status->menuDrawnByHost());
    // What a panel sends on a left click.
    call(QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Activate"), {10, 10});
    EXPECT_TRUE(QTest::qWaitFor([&] { return settingsShown == 1; }, 3000));
    QTest::qWait(100);
    EXPECT_FALSE(status->menu()->isVisible());
    EXPECT_EQ(property(QStringLiteral("Menu")).value<QDBusObjectPath>().path(),
              QStringLiteral("/MenuBar"));
    // Its keyboard is the host's while its menu is open: no item shows keys that do nothing.
    for (const QAction* item : status->menu()->actions()) {
        EXPECT_TRUE(item->shortcut().isEmpty()) << item->text().toStdString();
    }
}

TEST_F(StatusNotifier, TheIconsPictureReadsOnDarkAndLightPanels) {
    // The host is not told what it sits on: the picture must do on either.

    const QImage icon = iconPixmap();
    ASSERT_FALSE(icon.isNull());
    for (const QColor& panel : {QColor(0x35, 0x35, 0x35), QColor(0xee, 0xee, 0xec)}) {
        const QImage shown = on(icon, panel);
        shown.save(QStringLiteral("sni-%1.png").arg(panel.name().mid(1)));
        EXPECT_GE(test::iconContrast(shown, panel), 3.0) << panel.name().toStdString();
    }
}

TEST_F(StatusNotifier, TheMenuHandsTheHostItsKeysNotAText) {
    // The host writes the shortcut itself from the keys (a GTK panel: "Ctrl+Alt+Super+D");
    // the label must not carry a text of its own.
    status->toggleItem()->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::META | Qt::Key_D));
    const QString menuPath = property(QStringLiteral("Menu")).value<QDBusObjectPath>().path();
    ASSERT_FALSE(menuPath.isEmpty());
    QDBusMessage message = QDBusMessage::createMethodCall(
        service, menuPath, QStringLiteral("com.canonical.dbusmenu"), QStringLiteral("GetLayout"));
    message << 0 << -1 << QStringList{QStringLiteral("label"), QStringLiteral("shortcut")};
    QDBusPendingCall pending =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stand-in-host"))
            .asyncCall(message);
    ASSERT_TRUE(QTest::qWaitFor([&] { return pending.isFinished(); }));
    ASSERT_EQ(pending.reply().type(), QDBusMessage::ReplyMessage)
        << pending.reply().errorMessage().toStdString();
    // (revision, (id, properties, children)): the first child is the toggle item.
    const auto layout = pending.reply().arguments().value(1).value<QDBusArgument>();
    int id = 0;
    QVariantMap properties;
    layout.beginStructure();
    layout >> id >> properties;
    layout.beginArray();
    QDBusVariant child;
    layout >> child;
    const auto first = child.variant().value<QDBusArgument>();
    QVariantMap item;
    first.beginStructure();
    first >> id >> item;
    // Every begin has its end: each one holds a reader of its own until then.
    first.endStructure();
    layout.endArray();
    layout.endStructure();
    EXPECT_EQ(item.value(QStringLiteral("label")).toString(), QStringLiteral("Hide Desktop Icons"));
    QStringList keys;
    const auto shortcut = item.value(QStringLiteral("shortcut")).value<QDBusArgument>();
    shortcut.beginArray();
    while (!shortcut.atEnd()) {
        QStringList chord;
        shortcut >> chord;
        keys += chord;
    }
    shortcut.endArray();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{QStringLiteral("Alt"), QStringLiteral("Control"),
                                 QStringLiteral("D"), QStringLiteral("Super")}));
    QDBusConnection::disconnectFromBus(QStringLiteral("stand-in-host"));
}

#include "StatusNotifierTest.moc"
