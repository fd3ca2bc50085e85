// Stands in for pcmanfm-qt's desktop on the session bus, named pcmanfm-qt so that Hushpane finds
// it as it finds the real one. `--desktop` starts a desktop, which owns org.pcmanfm.PCManFM and
// says on /Application (org.pcmanfm.Application, desktopManagerEnabled) that it draws; a second
// start hands `--desktop-off` to the running one, which then ends. While the number in the file
// $HUSHPANE_STAND_IN_HANGS is above 0, a desktop that starts counts it down and hangs the way
// pcmanfm-qt 2.1 did: it owns its name, and its main thread never answers again.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QFile>
#include <QObject>
#include <QThread>

namespace {

constexpr auto kBusName = "org.pcmanfm.PCManFM";

class Application : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.pcmanfm.Application")
    Q_PROPERTY(bool desktopManagerEnabled READ desktopManagerEnabled)

public:
    bool desktopManagerEnabled() const { return true; }

public Q_SLOTS:
    void desktopManager(bool enabled) {
        if (!enabled) {
            QCoreApplication::quit();
        }
    }
};

// Counts the hangs file down; true when this start is to hang.
bool takeHang() {
    QFile file(qEnvironmentVariable("HUSHPANE_STAND_IN_HANGS"));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadWrite)) {
        return false;
    }
    const int left = file.readAll().trimmed().toInt();
    if (left <= 0) {
        return false;
    }
    file.resize(0);
    file.write(QByteArray::number(left - 1));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (arguments.contains(QLatin1String("--desktop-off"))) {
        bus.call(QDBusMessage::createMethodCall(
                     QString::fromLatin1(kBusName), QStringLiteral("/Application"),
                     QStringLiteral("org.pcmanfm.Application"), QStringLiteral("desktopManager"))
                 << false);
        return 0;
    }
    if (!arguments.contains(QLatin1String("--desktop")) ||
        bus.interface()->isServiceRegistered(QString::fromLatin1(kBusName))) {
        return 0;  // handed over, as a second instance does
    }
    const bool hang = takeHang();
    Application application;
    bus.registerObject(QStringLiteral("/Application"), &application,
                       QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllProperties);
    bus.registerService(QString::fromLatin1(kBusName));
    if (hang) {
        for (;;) {
            QThread::sleep(60);
        }
    }
    return app.exec();
}

#include "StandInPcmanfmQt.moc"
