// GNOME Shell's org.gnome.Shell.Extensions for the tests, as gnome-shell 43 has it on
// /org/gnome/Shell: extension infos as dictionaries (state a double), Enable/DisableExtension
// answering a boolean, ExtensionStateChanged on each change.
//
//   stand_in_shell_extensions [UUID=STATE ...]
//
// Control: object /control, interface app.hushpane.test.ShellExtensionsControl. A hung Shell
// is this process stopped (SIGSTOP), a vanished one this process ended.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QMap>
#include <QObject>
#include <QStringList>
#include <QThread>
#include <QVariantMap>

#include <cstdio>

namespace {

class Extensions : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.gnome.Shell.Extensions")
public:
    QMap<QString, int> states;
    QStringList calls;
    int switchDelayMs = 0;  // how long switching an extension takes the Shell

    QVariantMap info(const QString& uuid) const {
        if (!states.contains(uuid)) {
            return {};
        }
        return {{QStringLiteral("uuid"), uuid},
                {QStringLiteral("name"), QStringLiteral("Desktop Icons NG (DING)")},
                {QStringLiteral("type"), 1.0},
                {QStringLiteral("state"), static_cast<double>(states.value(uuid))},
                {QStringLiteral("error"), QString()},
                {QStringLiteral("hasPrefs"), true},
                {QStringLiteral("canChange"), true}};
    }

    void setState(const QString& uuid, int state) {
        states.insert(uuid, state);
        Q_EMIT ExtensionStateChanged(uuid, info(uuid));
    }

public Q_SLOTS:
    QVariantMap GetExtensionInfo(const QString& uuid) {
        calls.append(QStringLiteral("GetExtensionInfo ") + uuid);
        return info(uuid);
    }
    bool EnableExtension(const QString& uuid) { return change(QStringLiteral("Enable"), uuid, 1); }
    bool DisableExtension(const QString& uuid) {
        return change(QStringLiteral("Disable"), uuid, 2);
    }

Q_SIGNALS:
    void ExtensionStateChanged(const QString& uuid, const QVariantMap& state);

private:
    bool change(const QString& what, const QString& uuid, int state) {
        calls.append(what + QStringLiteral("Extension ") + uuid);
        QThread::msleep(static_cast<unsigned long>(switchDelayMs));
        if (!states.contains(uuid)) {
            return false;
        }
        setState(uuid, state);
        return true;
    }
};

class Control : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.hushpane.test.ShellExtensionsControl")
public:
    explicit Control(Extensions& extensions) : extensions_(extensions) {}

public Q_SLOTS:
    // The user switching an extension in the Extensions app.
    void SetState(const QString& uuid, int state) { extensions_.setState(uuid, state); }
    int State(const QString& uuid) { return extensions_.states.value(uuid, 99); }
    void SetSwitchDelay(int ms) { extensions_.switchDelayMs = ms; }
    QStringList Calls() { return extensions_.calls; }

private:
    Extensions& extensions_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    Extensions extensions;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        extensions.states.insert(argument.section(QLatin1Char('='), 0, 0),
                                 argument.section(QLatin1Char('='), 1).toInt());
    }
    Control control(extensions);
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.registerObject(QStringLiteral("/org/gnome/Shell"), &extensions,
                            QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals) ||
        !bus.registerObject(QStringLiteral("/control"), &control,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QStringLiteral("org.gnome.Shell"))) {
        std::fprintf(stderr, "stand_in_shell_extensions: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    return QCoreApplication::exec();
}

#include "StandInShellExtensions.moc"
