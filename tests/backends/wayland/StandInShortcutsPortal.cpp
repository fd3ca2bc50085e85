// A desktop's global-shortcuts back-end for the tests: what xdg-desktop-portal forwards to
// when XDG_CURRENT_DESKTOP names it. It binds what it is asked to (in the desktop's own words,
// "Ctrl+Alt+Meta+D"), or declines, as its control object says, and fires Activated and
// Deactivated on request. Like Plasma, it keeps what it bound for each application across
// sessions: a new session starts with them, and binding a shortcut it holds keeps its keys.
//
//   stand_in_shortcuts_portal BUS_NAME
//
// It also holds org.freedesktop.portal.Documents (answering nothing), so the portal runs
// without a document store.
//
// Control: object /control, interface app.hushpane.test.ShortcutsPortalControl.

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusError>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDateTime>
#include <QMap>
#include <QObject>
#include <QStringList>

#include <cstdio>
#include <utility>

namespace {

using Shortcuts = QList<std::pair<QString, QVariantMap>>;

const QString kPortalPath = QStringLiteral("/org/freedesktop/portal/desktop");

// "CTRL+ALT+LOGO+d" as a desktop shows it: "Ctrl+Alt+Meta+D".
QString describe(const QString& trigger) {
    static const QMap<QString, QString> words{{QStringLiteral("CTRL"), QStringLiteral("Ctrl")},
                                              {QStringLiteral("ALT"), QStringLiteral("Alt")},
                                              {QStringLiteral("SHIFT"), QStringLiteral("Shift")},
                                              {QStringLiteral("LOGO"), QStringLiteral("Meta")}};
    QStringList parts = trigger.split(QLatin1Char('+'));
    for (QString& part : parts) {
        part = words.value(part, part.size() == 1 ? part.toUpper() : part);
    }
    return parts.join(QLatin1Char('+'));
}

class Session : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.Session")
public:
    using QObject::QObject;
    QMap<QString, QString> triggers;  // id -> trigger description

public Q_SLOTS:
    void Close();

Q_SIGNALS:
    void closed(const QString& path);
};

class Portal : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.impl.portal.GlobalShortcuts")
    Q_PROPERTY(uint version READ version)
public:
    explicit Portal(QDBusConnection bus) : bus_(std::move(bus)) {}
    uint version() const { return 1; }

    // Control state.
    uint bindResponse = 0;
    bool bindWithoutKeys = false;
    QMap<QString, QString> assigned;  // id -> the desktop's own choice
    int sessionsCreated = 0;
    int sessionsClosed = 0;
    QMap<QString, QString> lastBind;  // id -> preferred trigger
    int binds = 0;
    QMap<QString, Session*> sessions;
    // What it holds for each application id: id -> trigger description.
    QMap<QString, QMap<QString, QString>> held;
    QMap<QString, QString> appOfSession;

    // The session that holds the shortcut, newest first.
    Session* sessionWith(const QString& id, QString* path) {
        for (auto it = sessions.end(); it != sessions.begin();) {
            --it;
            if (it.value()->triggers.contains(id)) {
                *path = it.key();
                return it.value();
            }
        }
        return nullptr;
    }

public Q_SLOTS:
    uint CreateSession(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle,
                       const QString& appId, const QVariantMap&, QVariantMap& results) {
        auto* session = new Session(this);
        const QString path = sessionHandle.path();
        session->triggers = held.value(appId);
        sessions.insert(path, session);
        appOfSession.insert(path, appId);
        ++sessionsCreated;
        connect(session, &Session::closed, this, [this, path] {
            ++sessionsClosed;
            bus_.unregisterObject(path);
            sessions.take(path)->deleteLater();
            appOfSession.remove(path);
        });
        bus_.registerObject(path, session, QDBusConnection::ExportAllSlots);
        results.insert(QStringLiteral("session_id"), path);
        return 0;
    }

    uint BindShortcuts(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle,
                       const Shortcuts& shortcuts, const QString&, const QVariantMap&,
                       QVariantMap& results) {
        ++binds;
        lastBind.clear();
        for (const auto& [id, properties] : shortcuts) {
            lastBind.insert(id, properties.value(QStringLiteral("preferred_trigger")).toString());
        }
        Session* session = sessions.value(sessionHandle.path());
        if (bindResponse != 0 || session == nullptr) {
            return session == nullptr ? 2 : bindResponse;
        }
        Shortcuts bound;
        QMap<QString, QString>& kept = held[appOfSession.value(sessionHandle.path())];
        for (const auto& [id, properties] : shortcuts) {
            const QString preferred =
                describe(properties.value(QStringLiteral("preferred_trigger")).toString());
            const QString trigger = bindWithoutKeys     ? QString()
                                    : kept.contains(id) ? kept.value(id)
                                                        : assigned.value(id, preferred);
            session->triggers.insert(id, trigger);
            kept.insert(id, trigger);
            bound.append(
                {id,
                 {{QStringLiteral("description"), properties.value(QStringLiteral("description"))},
                  {QStringLiteral("trigger_description"), trigger}}});
        }
        results.insert(QStringLiteral("shortcuts"), QVariant::fromValue(bound));
        return 0;
    }

    uint ListShortcuts(const QDBusObjectPath&, const QDBusObjectPath& sessionHandle,
                       QVariantMap& results) {
        Session* session = sessions.value(sessionHandle.path());
        if (session == nullptr) {
            return 2;
        }
        Shortcuts list;
        for (auto it = session->triggers.cbegin(); it != session->triggers.cend(); ++it) {
            list.append({it.key(),
                         {{QStringLiteral("description"), QStringLiteral("Held")},
                          {QStringLiteral("trigger_description"), it.value()}}});
        }
        results.insert(QStringLiteral("shortcuts"), QVariant::fromValue(list));
        return 0;
    }

Q_SIGNALS:
    void Activated(const QDBusObjectPath& sessionHandle, const QString& shortcutId,
                   qulonglong timestamp, const QVariantMap& options);
    void Deactivated(const QDBusObjectPath& sessionHandle, const QString& shortcutId,
                     qulonglong timestamp, const QVariantMap& options);
    void ShortcutsChanged(const QDBusObjectPath& sessionHandle, const Shortcuts& shortcuts);

private:
    QDBusConnection bus_;
};

void Session::Close() {
    Q_EMIT closed(QString());
}

class Control : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.hushpane.test.ShortcutsPortalControl")
public:
    explicit Control(Portal& portal) : portal_(portal) {}

public Q_SLOTS:
    // False when no session holds the shortcut.
    bool Activate(const QString& id) { return fire(id, true); }
    bool Deactivate(const QString& id) { return fire(id, false); }
    // The user gives the shortcut other keys in the desktop's settings.
    bool ChangeTrigger(const QString& id, const QString& trigger) {
        QString path;
        Session* session = portal_.sessionWith(id, &path);
        if (session == nullptr) {
            return false;
        }
        session->triggers.insert(id, trigger);
        portal_.held[portal_.appOfSession.value(path)].insert(id, trigger);
        Q_EMIT portal_.ShortcutsChanged(QDBusObjectPath(path),
                                        {{id, {{QStringLiteral("trigger_description"), trigger}}}});
        return true;
    }
    // 0 binds, 1 is the user declining, 2 a failure.
    void SetBindResponse(uint response) { portal_.bindResponse = response; }
    // Binds the shortcuts but gives them no keys.
    void SetBindWithoutKeys(bool without) { portal_.bindWithoutKeys = without; }
    // The keys the desktop picks for an id instead of the preferred ones.
    void AssignTrigger(const QString& id, const QString& trigger) {
        portal_.assigned.insert(id, trigger);
    }
    int SessionsCreated() { return portal_.sessionsCreated; }
    int Binds() { return portal_.binds; }
    int SessionsClosed() { return portal_.sessionsClosed; }
    int OpenSessions() { return static_cast<int>(portal_.sessions.size()); }
    // id -> preferred trigger of the last bind.
    QVariantMap LastBind() {
        QVariantMap map;
        for (auto it = portal_.lastBind.cbegin(); it != portal_.lastBind.cend(); ++it) {
            map.insert(it.key(), it.value());
        }
        return map;
    }

private:
    bool fire(const QString& id, bool down) {
        QString path;
        if (portal_.sessionWith(id, &path) == nullptr) {
            return false;
        }
        const auto now = static_cast<qulonglong>(QDateTime::currentMSecsSinceEpoch() * 1000);
        if (down) {
            Q_EMIT portal_.Activated(QDBusObjectPath(path), id, now, {});
        } else {
            Q_EMIT portal_.Deactivated(QDBusObjectPath(path), id, now, {});
        }
        return true;
    }

    Portal& portal_;
};

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: stand_in_shortcuts_portal BUS_NAME\n", stderr);
        return 2;
    }
    qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
    qDBusRegisterMetaType<Shortcuts>();
    // The name moc records for the slot and signal arguments.
    qRegisterMetaType<Shortcuts>("Shortcuts");
    QDBusConnection bus = QDBusConnection::sessionBus();
    Portal portal(bus);
    Control control(portal);
    const auto exports = QDBusConnection::ExportAllSlots | QDBusConnection::ExportAllSignals |
                         QDBusConnection::ExportAllProperties;
    if (!bus.registerObject(kPortalPath, &portal, exports) ||
        !bus.registerObject(QStringLiteral("/control"), &control,
                            QDBusConnection::ExportAllSlots) ||
        !bus.registerService(QString::fromLocal8Bit(argv[1])) ||
        // Held so the portal does not start the real document portal, whose file system in
        // the runtime directory would outlive the test.
        !bus.registerService(QStringLiteral("org.freedesktop.portal.Documents"))) {
        std::fprintf(stderr, "stand_in_shortcuts_portal: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    return QCoreApplication::exec();
}

#include "StandInShortcutsPortal.moc"
