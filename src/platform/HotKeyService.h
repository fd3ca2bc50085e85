#pragma once

#include "platform/CarbonKeyCode.h"

#include <QList>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <optional>

namespace hushpane {

// A four-character code as the hot-key service uses it: "SSKS" is 0x53534B53.
constexpr quint32 fourCharCode(const char (&code)[5]) {
    return (static_cast<quint32>(static_cast<unsigned char>(code[0])) << 24) |
           (static_cast<quint32>(static_cast<unsigned char>(code[1])) << 16) |
           (static_cast<quint32>(static_cast<unsigned char>(code[2])) << 8) |
           static_cast<quint32>(static_cast<unsigned char>(code[3]));
}

// Answers of the service and of its event handler.
inline constexpr qint32 kHotKeyNoErr = 0;
inline constexpr qint32 kEventNotHandledErr = -9874;
// Someone else holds the combination.
inline constexpr qint32 kEventHotKeyExistsErr = -9878;
// The combination cannot be expressed on this system (no such key, unsupported modifier).
inline constexpr qint32 kEventHotKeyInvalidErr = -9879;

// The caller's name for one registration: its signature and an id it chose.
struct HotKeyId {
    quint32 signature = 0;
    quint32 id = 0;
    // What the keys do, the same in every run (the shortcut's name), or empty. Services that
    // keep shortcuts by name across runs (a desktop portal) file the registration under it, so
    // new keys for the same purpose replace the old ones there.
    QString purpose{};
    friend bool operator==(const HotKeyId&, const HotKeyId&) = default;
};

// Kinds of keyboard events the handler can receive.
namespace HotKeyEventKind {
inline constexpr quint32 rawKeyDown = 1;
inline constexpr quint32 rawKeyUp = 3;
inline constexpr quint32 hotKeyPressed = 5;
inline constexpr quint32 hotKeyReleased = 6;
// Services whose desktop decides later (a portal asks the user, the user rebinds in the
// desktop's settings) report the outcome afterwards. These reach an installed handler whatever
// kinds were added, and the handler's answer is not looked at.
// The desktop refused a registration after all; `status` says why. The registration is gone.
inline constexpr quint32 hotKeyRefused = 100;
// The desktop bound the registration to `trigger` (its own text for the keys), or unbound it
// for now (empty `trigger`): the keys that fire it are the desktop's choice.
inline constexpr quint32 hotKeyTriggerChanged = 101;
}  // namespace HotKeyEventKind

struct HotKeyEvent {
    quint32 kind = 0;
    // Hot-key events: the id the hot key was registered under.
    HotKeyId hotKeyId;
    // Raw key events: the key position as a Carbon virtual key code and the Carbon modifiers.
    CarbonKeyCode keyCode = 0;
    quint32 modifiers = 0;
    // hotKeyRefused: why.
    qint32 status = 0;
    // hotKeyTriggerChanged: the desktop's description of the keys, empty while unbound.
    QString trigger;
};

// The service's handle of one registration; never reused while the service lives.
using HotKeyRef = quint64;

struct HotKeyRegistration {
    qint32 status = kHotKeyNoErr;
    std::optional<HotKeyRef> ref;  // present exactly when the hot key is registered
};

// One of the desktop's own bound shortcuts, as far as it could be read.
struct SymbolicHotKey {
    bool enabled = false;
    std::optional<CarbonKeyCode> keyCode;
    std::optional<qint64> modifiers;  // Carbon modifier mask
};

// System-wide hot keys: key positions are Carbon virtual key codes, modifiers the Carbon mask
// (cmd 0x100, shift 0x200, option 0x800, control 0x1000, function 0x20000). A registration
// reports presses and releases under its id to the one installed handler, for the event kinds
// that were added; everything else is the service's business. A service may accept a
// registration at once and refuse it or name its real trigger later (hotKeyRefused,
// hotKeyTriggerChanged).
class HotKeyService {
public:
    using EventHandler = std::function<qint32(const HotKeyEvent&)>;

    virtual ~HotKeyService() = default;

    virtual HotKeyRegistration registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                              HotKeyId id) = 0;
    virtual qint32 unregisterHotKey(HotKeyRef ref) = 0;

    // False when events cannot be delivered; nothing is installed then.
    virtual bool installEventHandler(EventHandler handler) = 0;
    virtual void removeEventHandler() = 0;
    virtual void addEventTypes(const QList<quint32>& kinds) = 0;
    virtual void removeEventTypes(const QList<quint32>& kinds) = 0;

    // The desktop's own shortcuts, in the order found; empty when they cannot be read.
    virtual QList<SymbolicHotKey> systemHotKeys() = 0;
    // Where the desktop decides (a portal): asks it once more for every registration it has not
    // bound. Only on the user's request; a no-op where the keys are grabbed directly.
    virtual void askAgain() {}
};

}  // namespace hushpane
