#pragma once

#include "platform/HotKeyService.h"

#include <QDBusConnection>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>

class QDBusMessage;
class QDBusServiceWatcher;

namespace hushpane::wayland {

class PortalRequest;

// System-wide hot keys through the desktop portal's GlobalShortcuts interface, for Wayland
// sessions, where no program may grab keys itself.
//
// - The program first tells the portal who it is (its application id, the name of its desktop
//   entry), where the portal offers that: the desktop then files the shortcuts under the
//   program's name and keeps them across runs.
// - Every registration is one portal shortcut, filed under its purpose ("toggleDesktop"), so new
//   keys for the same purpose replace the old ones in the desktop's settings; the keys go along
//   as the preferred trigger ("CTRL+ALT+LOGO+d").
// - At each start the desktop is asked which shortcuts it already holds for the program, and
//   only what it does not hold is bound: nothing is asked again at every login. The desktop's
//   keys win over the stored ones; new keys recorded while running are bound again, and where
//   the desktop keeps its old keys for a known shortcut, `rekey` (when set) is asked to change
//   them.
// - A bind the desktop refused, declined, or answered without keys leaves the registration in
//   place with an empty trigger: it is asked again only for new keys, on askAgain() (a user's
//   request), or when the portal comes back; a ShortcutsChanged from the desktop (the user set
//   keys in its settings) binds it. Never in a loop. Where the portal has the desktop's own
//   dialog for this (ConfigureShortcuts), askAgain() opens that instead.
// - Registering answers at once; the desktop's answer comes later as hotKeyTriggerChanged (the
//   trigger it bound, in its own words, or empty while unbound). Activated and Deactivated
//   become hot-key pressed and released.
class PortalHotKeyService : public QObject, public HotKeyService {
    Q_OBJECT
public:
    static constexpr quint32 kMinimumVersion = 1;

    // Changes the keys of a shortcut the desktop already holds for `appId` under `shortcutId`;
    // false where it cannot.
    using Rekey =
        std::function<bool(const QString& appId, const QString& shortcutId,
                           const QString& description, CarbonKeyCode keyCode, quint32 modifiers)>;

    // `description` is what the desktop shows for every shortcut of this program; `appId` the
    // name of its desktop entry, or empty to stay anonymous. Give the service a connection of
    // its own: the portal takes the application id only before any other call on it.
    PortalHotKeyService(const QDBusConnection& bus, QString description, QString appId = {},
                        QObject* parent = nullptr);
    ~PortalHotKeyService() override;

    // The version of the portal's GlobalShortcuts interface on the bus, or 0 when no portal
    // offers it.
    static uint availableVersion(const QDBusConnection& bus);

    void setRekey(Rekey rekey) { rekey_ = std::move(rekey); }
    // The portal offers ConfigureShortcuts (version 2): askAgain() opens the desktop's own
    // dialog for the program's shortcuts instead of binding again.
    void setConfigurable(bool configurable) { configurable_ = configurable; }

    HotKeyRegistration registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                      HotKeyId id) override;
    qint32 unregisterHotKey(HotKeyRef ref) override;
    bool installEventHandler(EventHandler handler) override;
    void removeEventHandler() override { handler_ = nullptr; }
    void addEventTypes(const QList<quint32>& kinds) override;
    void removeEventTypes(const QList<quint32>& kinds) override;
    // The portal does not tell which keys the desktop keeps for itself.
    QList<SymbolicHotKey> systemHotKeys() override { return {}; }
    void askAgain() override;

    // The session the shortcuts are bound in, empty while there is none.
    const QString& sessionHandle() const { return session_; }
    // True once the portal took the application id.
    bool isRegistered() const { return registered_; }

Q_SIGNALS:
    // A bind finished (successfully or not); for tests and diagnostics.
    void bindFinished(uint response);

private Q_SLOTS:
    void onActivated(const QDBusMessage& message);
    void onDeactivated(const QDBusMessage& message);
    void onShortcutsChanged(const QDBusMessage& message);

private:
    struct Registration {
        HotKeyId id;
        QString shortcutId;
        QString preferredTrigger;
        CarbonKeyCode keyCode = 0;
        quint32 modifiers = 0;
    };

    void scheduleBind();
    void start();
    void registerAppId(quint64 generation);
    void createSession(quint64 generation);
    PortalRequest* requestShortcutList(const QString& session);
    void listShortcuts(const QString& session, quint64 generation);
    void bindShortcuts(const QString& session, quint64 generation);
    void finishBind(uint response, const QMap<QString, QString>& triggers);
    bool rekeyHeldShortcuts(const QMap<QString, QString>& triggers);
    void closeSession();
    void portalGone();
    void onKey(const QDBusMessage& message, quint32 kind);
    void deliver(const HotKeyEvent& event);
    void deliverTrigger(HotKeyRef ref, const QString& trigger);

    QDBusConnection bus_;
    QString description_;
    QString appId_;
    Rekey rekey_;
    bool configurable_ = false;
    EventHandler handler_;
    QSet<quint32> eventTypes_;
    QMap<HotKeyRef, Registration> registrations_;
    HotKeyRef nextRef_ = 1;
    // The session bound (or being bound) and the desktop's answer in it, by shortcut id: the
    // trigger it bound, empty where it bound none.
    QString session_;
    QMap<QString, QString> answers_;
    // The keys last asked for each shortcut id in this run, and the ids whose keys the user
    // changed since the desktop last answered.
    QMap<QString, QString> askedTriggers_;
    QSet<QString> newKeys_;
    QSet<QString> newKeysAsked_;
    // Shortcut ids whose key is down.
    QSet<QString> pressed_;
    bool bindScheduled_ = false;
    bool binding_ = false;
    bool rebindAfterThis_ = false;
    // Whether the portal on the bus now was asked to take the application id, and took it.
    bool registryAsked_ = false;
    bool registered_ = false;
    // Counts sessions, so answers that arrive for a replaced one are dropped.
    quint64 generation_ = 0;
    int retries_ = 0;
    QDBusServiceWatcher* portalWatcher_ = nullptr;
};

}  // namespace hushpane::wayland
