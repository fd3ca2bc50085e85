#pragma once

#include "platform/HotKeyService.h"

#include <QMap>
#include <QObject>
#include <QStringList>

#include <QSet>
#include <functional>

#include <map>
#include <memory>
#include <utility>

#include <xcb/xcb.h>

namespace hushpane::x11 {

class XcbConnection;

// System-wide hot keys as passive key grabs on the root window.
//
// - A key position goes Carbon code -> evdev code -> X key code (evdev + 8); the modifiers
//   control, option, command and shift become Control, Mod1, Mod4 and Shift. The function
//   modifier and keys without an X key code are refused (-9879).
// - Each combination is grabbed four times, with and without Lock and Num Lock, so Caps Lock
//   and Num Lock do not break it; incoming state is masked to the four modifiers.
// - A combination another client holds (BadAccess) is refused with -9878, also later: when a
//   keymap change moves Num Lock and the grab with the new lock set fails, the registration is
//   dropped and its owner hears it as a refusal.
// - Detectable auto-repeat is on, so holding a combination gives one press and one release.
// - Registrations of one combination share one grab; each gets its own events.
// - Events reach the handler from the Qt event loop.
class X11HotKeyService : public QObject, public HotKeyService {
    Q_OBJECT
public:
    // An empty name means $DISPLAY.
    explicit X11HotKeyService(const QString& displayName = {}, QObject* parent = nullptr);
    ~X11HotKeyService() override;

    bool isValid() const;
    bool hasDetectableAutoRepeat() const { return detectableAutoRepeat_; }

    HotKeyRegistration registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                      HotKeyId id) override;
    qint32 unregisterHotKey(HotKeyRef ref) override;
    bool installEventHandler(EventHandler handler) override;
    void removeEventHandler() override { handler_ = nullptr; }
    void addEventTypes(const QList<quint32>& kinds) override;
    void removeEventTypes(const QList<quint32>& kinds) override;
    // The desktop's own shortcuts from the reader given, told apart by key position on the
    // server's keymap; none without a reader.
    QList<SymbolicHotKey> systemHotKeys() override;

    // Where the desktop's own accelerators come from ("<Super>d", "<Alt>Tab"): its settings,
    // read through its libraries from daemons that already run, never through a shell.
    using AcceleratorReader = std::function<QStringList()>;
    void setAcceleratorReader(AcceleratorReader read) { readAccelerators_ = std::move(read); }

    // Hands over events that have arrived (they also arrive by themselves).
    void processPendingEvents();

private:
    AcceleratorReader readAccelerators_;
    using Combination = std::pair<xcb_keycode_t, uint16_t>;
    struct Grab {
        QList<HotKeyRef> refs;
        bool pressed = false;
    };
    struct Registration {
        HotKeyId id;
        Combination combination;
    };

    void handleEvent(const xcb_generic_event_t& event);
    void deliver(quint32 kind, const QList<HotKeyRef>& refs);
    void refuse(const Combination& combination, qint32 status);
    qint32 grab(const Combination& combination);
    void ungrab(const Combination& combination);
    QList<uint16_t> lockCombinations() const;
    void readNumLockMask();

    std::unique_ptr<XcbConnection> connection_;
    EventHandler handler_;
    QSet<quint32> eventTypes_;
    std::map<Combination, Grab> grabs_;
    QMap<HotKeyRef, Registration> registrations_;
    HotKeyRef nextRef_ = 1;
    uint16_t numLockMask_ = 0;
    bool detectableAutoRepeat_ = false;
    bool hasXkb_ = false;
    uint8_t xkbFirstEvent_ = 0;
};

}  // namespace hushpane::x11
