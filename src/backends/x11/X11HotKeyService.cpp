#include "backends/x11/X11HotKeyService.h"

#include "common/CarbonModifierBits.h"

#include "backends/x11/DesktopHotKeys.h"
#include "backends/x11/XcbConnection.h"
#include "common/KeyPositions.h"

#include <QPointer>

#include <cstdlib>

#include <xcb/xcb_keysyms.h>
#include <xkbcommon/xkbcommon-x11.h>

// xkb.h names a member `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace hushpane::x11 {

namespace {

constexpr uint16_t kRelevantModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr xcb_keysym_t kNumLockKeysym = 0xff7f;
constexpr uint8_t kBadAccess = 10;

}  // namespace

X11HotKeyService::X11HotKeyService(const QString& displayName, QObject* parent)
    : QObject(parent), connection_(std::make_unique<XcbConnection>(displayName)) {
    if (!connection_->isValid()) {
        return;
    }
    xcb_connection_t* c = connection_->get();
    // Without this, a held key repeats release/press pairs and every pair would toggle.
    if (xkb_x11_setup_xkb_extension(c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr,
                                    &xkbFirstEvent_, nullptr) != 0) {
        // A client that speaks XKB hears of keymap changes only through XKB's own events.
        const uint16_t events =
            XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
        const uint16_t parts = XCB_XKB_MAP_PART_KEY_SYMS | XCB_XKB_MAP_PART_MODIFIER_MAP;
        const xcb_xkb_select_events_details_t details{};
        xcb_xkb_select_events_aux(c, XCB_XKB_ID_USE_CORE_KBD, events, 0, events, parts, parts,
                                  &details);
        hasXkb_ = true;
        const uint32_t flag = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
        xcb_xkb_per_client_flags_reply_t* reply = xcb_xkb_per_client_flags_reply(
            c, xcb_xkb_per_client_flags(c, XCB_XKB_ID_USE_CORE_KBD, flag, flag, 0, 0, 0), nullptr);
        detectableAutoRepeat_ = reply != nullptr && (reply->value & flag) != 0;
        std::free(reply);
    }
    if (!detectableAutoRepeat_) {
        qWarning("X11 hot keys: detectable auto-repeat is not available");
    }
    readNumLockMask();
    connection_->addEventHandler([this](const xcb_generic_event_t& event) { handleEvent(event); });
}

X11HotKeyService::~X11HotKeyService() {
    if (isValid()) {
        for (const auto& [combination, grab] : grabs_) {
            ungrab(combination);
        }
        xcb_flush(connection_->get());
    }
}

bool X11HotKeyService::isValid() const {
    return connection_->isValid();
}

void X11HotKeyService::processPendingEvents() {
    connection_->processPendingEvents();
}

void X11HotKeyService::readNumLockMask() {
    numLockMask_ = 0;
    xcb_connection_t* c = connection_->get();
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    if (symbols == nullptr) {
        return;
    }
    xcb_keycode_t* numLockCodes = xcb_key_symbols_get_keycode(symbols, kNumLockKeysym);
    xcb_get_modifier_mapping_reply_t* map =
        xcb_get_modifier_mapping_reply(c, xcb_get_modifier_mapping(c), nullptr);
    if (numLockCodes != nullptr && map != nullptr) {
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(map);
        const int perModifier = map->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier) {
            for (int i = 0; i < perModifier; ++i) {
                const xcb_keycode_t code = codes[modifier * perModifier + i];
                for (const xcb_keycode_t* n = numLockCodes; code != 0 && *n != XCB_NO_SYMBOL; ++n) {
                    if (*n == code) {
                        numLockMask_ = static_cast<uint16_t>(1u << modifier);
                    }
                }
            }
        }
    }
    std::free(map);
    std::free(numLockCodes);
    xcb_key_symbols_free(symbols);
}

QList<uint16_t> X11HotKeyService::lockCombinations() const {
    QList<uint16_t> locks{0, XCB_MOD_MASK_LOCK};
    if (numLockMask_ != 0 && numLockMask_ != XCB_MOD_MASK_LOCK) {
        locks << numLockMask_ << static_cast<uint16_t>(numLockMask_ | XCB_MOD_MASK_LOCK);
    }
    return locks;
}

qint32 X11HotKeyService::grab(const Combination& combination) {
    xcb_connection_t* c = connection_->get();
    const QList<uint16_t> locks = lockCombinations();
    QList<xcb_void_cookie_t> cookies;
    for (uint16_t lock : locks) {
        // owner_events false: the press always comes to us, also when our own window has focus.
        cookies.append(xcb_grab_key_checked(
            c, 0, connection_->root(), static_cast<uint16_t>(combination.second | lock),
            combination.first, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
    qint32 status = kHotKeyNoErr;
    for (const xcb_void_cookie_t& cookie : cookies) {
        if (xcb_generic_error_t* error = xcb_request_check(c, cookie)) {
            if (status == kHotKeyNoErr || error->error_code == kBadAccess) {
                status = error->error_code == kBadAccess ? kEventHotKeyExistsErr
                                                         : kEventHotKeyInvalidErr;
            }
            std::free(error);
        }
    }
    if (status != kHotKeyNoErr) {
        // Ungrabbing only releases our own grabs, never the other client's.
        ungrab(combination);
    }
    return status;
}

void X11HotKeyService::ungrab(const Combination& combination) {
    for (uint16_t lock : lockCombinations()) {
        xcb_ungrab_key(connection_->get(), combination.first, connection_->root(),
                       static_cast<uint16_t>(combination.second | lock));
    }
}

HotKeyRegistration X11HotKeyService::registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                                    HotKeyId id) {
    if (!isValid() || !connection_->isConnected()) {
        return {kEventHotKeyInvalidErr, std::nullopt};
    }
    const auto keycode = xKeycodeForCarbonKeyCode(keyCode);
    if (!keycode || (modifiers & carbon::function) != 0) {
        return {kEventHotKeyInvalidErr, std::nullopt};
    }
    uint16_t mask = 0;
    if ((modifiers & carbon::control) != 0) {
        mask |= XCB_MOD_MASK_CONTROL;
    }
    if ((modifiers & carbon::option) != 0) {
        mask |= XCB_MOD_MASK_1;
    }
    if ((modifiers & carbon::command) != 0) {
        mask |= XCB_MOD_MASK_4;
    }
    if ((modifiers & carbon::shift) != 0) {
        mask |= XCB_MOD_MASK_SHIFT;
    }
    const Combination combination{static_cast<xcb_keycode_t>(*keycode), mask};
    auto it = grabs_.find(combination);
    if (it == grabs_.end()) {
        const qint32 status = grab(combination);
        connection_->processPendingEvents();
        if (status != kHotKeyNoErr) {
            return {status, std::nullopt};
        }
        it = grabs_.emplace(combination, Grab{}).first;
    }
    const HotKeyRef ref = nextRef_++;
    it->second.refs.append(ref);
    registrations_.insert(ref, Registration{id, combination});
    return {kHotKeyNoErr, ref};
}

qint32 X11HotKeyService::unregisterHotKey(HotKeyRef ref) {
    const auto registration = registrations_.constFind(ref);
    if (registration == registrations_.cend()) {
        return kEventHotKeyInvalidErr;
    }
    const Combination combination = registration->combination;
    registrations_.erase(registration);
    auto it = grabs_.find(combination);
    if (it != grabs_.end()) {
        it->second.refs.removeAll(ref);
        if (it->second.refs.isEmpty()) {
            ungrab(combination);
            xcb_flush(connection_->get());
            grabs_.erase(it);
        }
    }
    return kHotKeyNoErr;
}

bool X11HotKeyService::installEventHandler(EventHandler handler) {
    if (!isValid()) {
        return false;
    }
    handler_ = std::move(handler);
    return true;
}

void X11HotKeyService::addEventTypes(const QList<quint32>& kinds) {
    for (quint32 kind : kinds) {
        eventTypes_.insert(kind);
    }
}

void X11HotKeyService::removeEventTypes(const QList<quint32>& kinds) {
    for (quint32 kind : kinds) {
        eventTypes_.remove(kind);
    }
}

void X11HotKeyService::handleEvent(const xcb_generic_event_t& event) {
    const uint8_t type = event.response_type & 0x7f;
    const bool keymapChanged =
        type == XCB_MAPPING_NOTIFY ||
        (hasXkb_ && event.response_type == xkbFirstEvent_ &&
         (event.pad0 == XCB_XKB_MAP_NOTIFY || event.pad0 == XCB_XKB_NEW_KEYBOARD_NOTIFY));
    if (keymapChanged) {
        // Num Lock may have moved to another modifier: grab again with the new lock set.
        const QList<uint16_t> oldLocks = lockCombinations();
        readNumLockMask();
        if (lockCombinations() != oldLocks) {
            QList<std::pair<Combination, qint32>> lost;
            for (const auto& [combination, held] : grabs_) {
                for (uint16_t lock : oldLocks) {
                    xcb_ungrab_key(connection_->get(), combination.first, connection_->root(),
                                   static_cast<uint16_t>(combination.second | lock));
                }
                if (const qint32 status = grab(combination); status != kHotKeyNoErr) {
                    lost.append({combination, status});
                }
            }
            xcb_flush(connection_->get());
            for (const auto& [combination, status] : lost) {
                refuse(combination, status);
            }
        }
        return;
    }
    if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) {
        return;
    }
    const auto& key = reinterpret_cast<const xcb_key_press_event_t&>(event);
    if (key.event != connection_->root()) {
        return;
    }
    if (type == XCB_KEY_PRESS) {
        const auto it =
            grabs_.find({key.detail, static_cast<uint16_t>(key.state & kRelevantModifiers)});
        // A second press without a release is the key repeating.
        if (it == grabs_.end() || it->second.pressed) {
            return;
        }
        it->second.pressed = true;
        deliver(HotKeyEventKind::hotKeyPressed, it->second.refs);
        return;
    }
    // The modifiers may already be up when the key is released: match the key alone.
    for (auto& [combination, grab] : grabs_) {
        if (combination.first == key.detail && grab.pressed) {
            grab.pressed = false;
            deliver(HotKeyEventKind::hotKeyReleased, grab.refs);
        }
    }
}

void X11HotKeyService::refuse(const Combination& combination, qint32 status) {
    // Another client took the keys with the new lock set: the registrations are gone, and their
    // owners hear why, as they would have at registering.
    const auto grab = grabs_.find(combination);
    if (grab == grabs_.end()) {
        return;
    }
    QList<HotKeyId> ids;
    for (HotKeyRef ref : grab->second.refs) {
        if (const auto registration = registrations_.constFind(ref);
            registration != registrations_.cend()) {
            ids.append(registration->id);
        }
        registrations_.remove(ref);
    }
    grabs_.erase(grab);
    QPointer<X11HotKeyService> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, ids, status] {
            for (const HotKeyId& id : ids) {
                if (!self || !self->handler_) {
                    return;
                }
                HotKeyEvent event;
                event.kind = HotKeyEventKind::hotKeyRefused;
                event.hotKeyId = id;
                event.status = status;
                const EventHandler handler = self->handler_;
                handler(event);
            }
        },
        Qt::QueuedConnection);
}

void X11HotKeyService::deliver(quint32 kind, const QList<HotKeyRef>& refs) {
    // One turn later, outside the X event handling, so actions may do anything.
    QPointer<X11HotKeyService> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, kind, refs] {
            for (HotKeyRef ref : refs) {
                if (!self || !self->handler_ || !self->eventTypes_.contains(kind)) {
                    return;
                }
                const auto registration = self->registrations_.constFind(ref);
                if (registration == self->registrations_.cend()) {
                    continue;
                }
                HotKeyEvent event;
                event.kind = kind;
                event.hotKeyId = registration->id;
                const EventHandler handler = self->handler_;
                handler(event);
            }
        },
        Qt::QueuedConnection);
}

QList<SymbolicHotKey> X11HotKeyService::systemHotKeys() {
    const QStringList accelerators = readAccelerators_ ? readAccelerators_() : QStringList();
    if (accelerators.isEmpty() || !isValid()) {
        return {};
    }
    xcb_connection_t* c = connection_->get();
    const int32_t device = xkb_x11_get_core_keyboard_device_id(c);
    xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap* keymap =
        device < 0 || context == nullptr
            ? nullptr
            : xkb_x11_keymap_new_from_device(context, c, device, XKB_KEYMAP_COMPILE_NO_FLAGS);
    QList<SymbolicHotKey> result;
    if (keymap != nullptr) {
        result = symbolicHotKeys(accelerators, keymap);
    }
    xkb_keymap_unref(keymap);
    xkb_context_unref(context);
    return result;
}

}  // namespace hushpane::x11
