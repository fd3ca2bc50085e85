#pragma once

#include "platform/HotKeyService.h"

#include <QDBusConnection>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QDBusMessage;
class QDBusServiceWatcher;

namespace hushpane::wayland {

// System-wide hot keys through the desktop portal's GlobalShortcuts interface, for Wayland
// sessions, where no program may grab keys itself.
//
// - Every registration is one portal shortcut. Its id names the stored combination
//   ("carbon-2-6400"), so the desktop recognises it in later runs and keeps what the user
//   made of it; the combination goes along as the preferred trigger ("CTRL+ALT+LOGO+d").
// - A portal session binds once. New combinations are bound in a new session that replaces
//   the old one; removing a registration only stops its events, so releasing and taking back
//   the same combination (while a menu is open) does not ask the desktop again.
// - Registering answers at once; the desktop's answer comes later as hotKeyTriggerChanged
//   (the trigger it bound, in its own words) or hotKeyRefused (the user declined, or the
//   desktop bound no keys). Activated and Deactivated become hot-key pressed and released.
// - When the portal goes away the registrations stay and report an empty trigger; they are
//   bound again when it comes back.
class PortalHotKeyService : public QObject, public HotKeyService {
    Q_OBJECT
public:
    static constexpr quint32 kMinimumVersion = 1;

    // `description` is what the desktop shows for every shortcut of this program.
    PortalHotKeyService(const QDBusConnection& bus, QString description, QObject* parent = nullptr);
    ~PortalHotKeyService() override;

    // The version of the portal's GlobalShortcuts interface on the bus, or 0 when no portal
    // offers it.
    static uint availableVersion(const QDBusConnection& bus);

    HotKeyRegistration registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                      HotKeyId id) override;
    qint32 unregisterHotKey(HotKeyRef ref) override;
    bool installEventHandler(EventHandler handler) override;
    void removeEventHandler() override { handler_ = nullptr; }
    void addEventTypes(const QList<quint32>& kinds) override;
    void removeEventTypes(const QList<quint32>& kinds) override;
    // The portal does not tell which keys the desktop keeps for itself.
    QList<SymbolicHotKey> systemHotKeys() override { return {}; }

    // The session the shortcuts are bound in, empty while there is none.
    const QString& sessionHandle() const { return session_; }

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
    };

    void scheduleBind();
    void createSession();
    void bindShortcuts(const QString& session);
    void listShortcuts(const QString& session);
    void applyBound(const QMap<QString, QString>& triggers);
    void closeSession();
    void portalGone();
    void onKey(const QDBusMessage& message, quint32 kind);
    void deliver(const HotKeyEvent& event);
    void deliverTrigger(HotKeyRef ref, const QString& trigger);
    void refuse(HotKeyRef ref, qint32 status);

    QDBusConnection bus_;
    QString description_;
    EventHandler handler_;
    QSet<quint32> eventTypes_;
    QMap<HotKeyRef, Registration> registrations_;
    HotKeyRef nextRef_ = 1;
    // The session bound (or being bound) and what the desktop bound in it, by shortcut id.
    QString session_;
    QMap<QString, QString> boundTriggers_;
    // Shortcut ids whose key is down.
    QSet<QString> pressed_;
    bool bindScheduled_ = false;
    bool binding_ = false;
    bool rebindAfterThis_ = false;
    // Counts sessions, so answers that arrive for a replaced one are dropped.
    quint64 generation_ = 0;
    int retries_ = 0;
    QDBusServiceWatcher* portalWatcher_ = nullptr;
};

}  // namespace hushpane::wayland
