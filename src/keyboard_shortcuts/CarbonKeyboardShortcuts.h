#pragma once

#include "keyboard_shortcuts/KeyEventMonitor.h"
#include "keyboard_shortcuts/Shortcut.h"
#include "platform/HotKeyService.h"

#include <QList>

#include <functional>
#include <map>
#include <optional>
#include <utility>

namespace KeyboardShortcuts {

// The hot-key layer: registers shortcuts as system-wide hot keys under the signature "SSKS",
// hands their presses and releases to the callbacks given with them, and, while one of the
// application's menus is open, releases them and matches key events itself instead (an open
// menu holds the keyboard, so the system's hot keys would not fire).
class CarbonKeyboardShortcuts {
public:
    using Callback = std::function<void(const Shortcut&)>;

    static constexpr quint32 hotKeySignature = hushpane::fourCharCode("SSKS");

    struct HotKey {
        Shortcut shortcut;
        quint32 carbonHotKeyId;
        std::optional<hushpane::HotKeyRef> carbonHotKey;
        Callback onKeyDown;
        Callback onKeyUp;
    };

    explicit CarbonKeyboardShortcuts(hushpane::HotKeyService& service);
    // Releases every hot key it holds and its event handler.
    ~CarbonKeyboardShortcuts();
    CarbonKeyboardShortcuts(const CarbonKeyboardShortcuts&) = delete;
    CarbonKeyboardShortcuts& operator=(const CarbonKeyboardShortcuts&) = delete;

    // A refused registration is printed ("Error registering hotkey ⌃⌥⌘D: -9878") and
    // forgotten; its id stays used.
    void registerShortcut(const Shortcut& shortcut, Callback onKeyDown, Callback onKeyUp);
    void unregisterShortcut(const Shortcut& shortcut);

    bool isEnabled() const { return isEnabled_; }
    void setEnabled(bool enabled);
    bool isMenuOpen() const { return isMenuOpen_; }
    void setMenuOpen(bool open);

    void updateEventHandler();

    // The desktop's own enabled shortcuts, normalised, in order.
    QList<Shortcut> system() const;

    // The event handler: 0 when handled, -9874 for events not meant for this layer.
    qint32 handleEvent(const hushpane::HotKeyEvent* event);
    qint32 handleRawKeyEvent(quint32 kind, qint64 keyCode, qint64 modifiers);

    const std::map<quint32, HotKey>& hotKeys() const { return hotKeys_; }
    bool isEventHandlerInstalled() const { return eventHandlerInstalled_; }
    bool isRawKeyPathOn() const { return keyEventMonitor_.isStarted(); }
    int updateEventHandlerCount() const { return updateEventHandlerCount_; }

private:
    qint32 handleHotKeyEvent(const hushpane::HotKeyEvent& event);
    bool handleMonitoredKeyEvent(QKeyEvent& event);
    hushpane::HotKeyRegistration registerWithSystem(const Shortcut& shortcut, quint32 id);
    void releaseAll();
    void softRegisterAll();

    hushpane::HotKeyService& service_;
    std::map<quint32, HotKey> hotKeys_;
    quint32 hotKeyId_ = 0;
    bool eventHandlerInstalled_ = false;
    bool isEnabled_ = true;
    bool isMenuOpen_ = false;
    int updateEventHandlerCount_ = 0;
    // The key code and hot-key id of a shortcut pressed on the raw key path.
    std::optional<std::pair<qint64, quint32>> rawPressed_;
    KeyEventMonitor keyEventMonitor_;
};

}  // namespace KeyboardShortcuts
