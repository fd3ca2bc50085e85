#pragma once

#include "keyboard_shortcuts/LocalEventMonitor.h"
#include "keyboard_shortcuts/Shortcut.h"
#include "platform/HotKeyService.h"

#include <QList>
#include <QObject>

#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace KeyboardShortcuts {

// The hot-key layer: registers shortcuts as system-wide hot keys under the signature "SSKS",
// announces their presses and releases, and, while one of the
// application's menus is open, releases them and matches key events itself instead (an open
// menu holds the keyboard, so the system's hot keys would not fire).
class CarbonKeyboardShortcuts : public QObject {
    Q_OBJECT
public:
    static constexpr quint32 hotKeySignature = hushpane::fourCharCode("SSKS");

    struct HotKey {
        Shortcut shortcut;
        quint32 carbonHotKeyId;
        std::optional<hushpane::HotKeyRef> carbonHotKey;
        // Where the desktop picks the keys (a portal): its text for them, empty while it has
        // unbound them. Absent where the shortcut's own keys are what fires.
        std::optional<QString> trigger;
        // What the keys do (HotKeyId::purpose).
        QString purpose;
    };

    explicit CarbonKeyboardShortcuts(hushpane::HotKeyService& service, QObject* parent = nullptr);
    // Releases every hot key it holds and its event handler.
    ~CarbonKeyboardShortcuts() override;
    CarbonKeyboardShortcuts(const CarbonKeyboardShortcuts&) = delete;
    CarbonKeyboardShortcuts& operator=(const CarbonKeyboardShortcuts&) = delete;

    // A refused registration is printed ("Error registering hotkey Ctrl+Alt+Super+D: -9878" on
    // Linux) and forgotten; its id stays used. The answer is the service's status. Retries of a
    // refused shortcut pass `report` false: the refusal was printed the first time. `purpose`
    // names what the keys do (HotKeyId::purpose).
    qint32 registerShortcut(const Shortcut& shortcut, bool report = true,
                            const QString& purpose = {});
    void unregisterShortcut(const Shortcut& shortcut);
    // Where the desktop decides: asks it again for the shortcuts it has not bound.
    void askDesktopAgain() { service_.askAgain(); }

    bool isEnabled() const { return isEnabled_; }
    void setEnabled(bool enabled);
    bool isMenuOpen() const { return isMenuOpen_; }
    void setMenuOpen(bool open);

    void updateEventHandler();

    // The desktop's own enabled shortcuts, normalised, in order.
    QList<Shortcut> system() const;

    // The event handler: 0 when handled, -9874 for events not meant for this layer.
    qint32 handleEvent(const hushpane::HotKeyEvent* event);
    qint32 handleRawKeyEvent(quint32 kind, CarbonKeyCode keyCode, qint64 modifiers);

    const std::map<quint32, HotKey>& hotKeys() const { return hotKeys_; }
    bool isEventHandlerInstalled() const { return eventHandlerInstalled_; }
    bool isRawKeyPathOn() const { return keyEventMonitor_ != nullptr; }
    int updateEventHandlerCount() const { return updateEventHandlerCount_; }

Q_SIGNALS:
    // A registered shortcut was pressed or released.
    void keyDown(const KeyboardShortcuts::Shortcut& shortcut);
    void keyUp(const KeyboardShortcuts::Shortcut& shortcut);
    // A hot key held before could not be taken back (after a menu closed or hot keys were
    // switched on again) and was dropped.
    // Also when the service accepted it at first and refused it later.
    void registrationLost(const KeyboardShortcuts::Shortcut& shortcut, qint32 status);
    // The desktop bound a registered shortcut to other keys, or unbound it for now (an empty
    // trigger); see HotKey::trigger.
    void triggerChanged(const KeyboardShortcuts::Shortcut& shortcut, const QString& trigger);

private:
    qint32 handleHotKeyEvent(const hushpane::HotKeyEvent& event);
    qint32 handleStatusEvent(const hushpane::HotKeyEvent& event);
    bool handleMonitoredKeyEvent(QKeyEvent& event);
    hushpane::HotKeyRegistration registerWithSystem(const Shortcut& shortcut, quint32 id,
                                                    const QString& purpose);
    void releaseAll();
    void softRegisterAll();
    void startKeyEventMonitor();

    hushpane::HotKeyService& service_;
    std::map<quint32, HotKey> hotKeys_;
    quint32 hotKeyId_ = 0;
    bool eventHandlerInstalled_ = false;
    bool isEnabled_ = true;
    bool isMenuOpen_ = false;
    int updateEventHandlerCount_ = 0;
    // The key code and hot-key id of a shortcut pressed on the raw key path.
    std::optional<std::pair<CarbonKeyCode, quint32>> rawPressed_;
    // Present while the raw key path is on.
    std::unique_ptr<LocalEventMonitor> keyEventMonitor_;
};

}  // namespace KeyboardShortcuts
