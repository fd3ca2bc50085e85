#include "backends/x11/X11KeyboardLayout.h"

#include "backends/x11/XcbConnection.h"
#include "backends/x11/XkbKeyTranslation.h"
#include "common/KeyPositions.h"

#include <xkbcommon/xkbcommon-x11.h>

// xkb.h names a member `explicit`.
#define explicit explicit_
#include <xcb/xkb.h>
#undef explicit

namespace hushpane::x11 {

X11KeyboardLayout::X11KeyboardLayout(const QString& displayName)
    : connection_(std::make_unique<XcbConnection>(displayName)) {
    if (!connection_->isValid()) {
        return;
    }
    xcb_connection_t* c = connection_->get();
    if (xkb_x11_setup_xkb_extension(c, XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
                                    XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr,
                                    &xkbFirstEvent_, nullptr) == 0) {
        return;
    }
    deviceId_ = xkb_x11_get_core_keyboard_device_id(c);
    context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    if (deviceId_ < 0 || context_ == nullptr) {
        return;
    }

    const uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY |
                            XCB_XKB_EVENT_TYPE_STATE_NOTIFY;
    const uint16_t mapParts = XCB_XKB_MAP_PART_KEY_TYPES | XCB_XKB_MAP_PART_KEY_SYMS |
                              XCB_XKB_MAP_PART_MODIFIER_MAP | XCB_XKB_MAP_PART_EXPLICIT_COMPONENTS |
                              XCB_XKB_MAP_PART_KEY_ACTIONS | XCB_XKB_MAP_PART_VIRTUAL_MODS |
                              XCB_XKB_MAP_PART_VIRTUAL_MOD_MAP;
    xcb_xkb_select_events_details_t details{};
    details.affectNewKeyboard = XCB_XKB_NKN_DETAIL_KEYCODES;
    details.newKeyboardDetails = XCB_XKB_NKN_DETAIL_KEYCODES;
    details.affectState = XCB_XKB_STATE_PART_GROUP_STATE;
    details.stateDetails = XCB_XKB_STATE_PART_GROUP_STATE;
    xcb_xkb_select_events_aux(c, static_cast<xcb_xkb_device_spec_t>(deviceId_), events, 0, 0,
                              mapParts, mapParts, &details);
    xcb_flush(c);

    connection_->addEventHandler([this](const xcb_generic_event_t& event) {
        if (event.response_type != xkbFirstEvent_) {
            return;
        }
        // Every XKB event starts with its own type byte after the response type.
        const auto& any = reinterpret_cast<const xcb_xkb_new_keyboard_notify_event_t&>(event);
        if (any.xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || any.xkbType == XCB_XKB_MAP_NOTIFY) {
            stale_ = true;
        } else if (any.xkbType == XCB_XKB_STATE_NOTIFY) {
            const auto& state = reinterpret_cast<const xcb_xkb_state_notify_event_t&>(event);
            layout_ = state.group;
        }
    });
    reload();
}

X11KeyboardLayout::~X11KeyboardLayout() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

bool X11KeyboardLayout::isValid() const {
    return keymap_ != nullptr;
}

void X11KeyboardLayout::processPendingEvents() {
    connection_->processPendingEvents();
}

void X11KeyboardLayout::reload() {
    stale_ = false;
    if (context_ == nullptr || deviceId_ < 0) {
        return;
    }
    xkb_keymap* keymap = xkb_x11_keymap_new_from_device(context_, connection_->get(), deviceId_,
                                                        XKB_KEYMAP_COMPILE_NO_FLAGS);
    if (keymap == nullptr) {
        return;  // keep the previous one
    }
    xkb_keymap_unref(keymap_);
    keymap_ = keymap;
    asciiLayout_ = firstAsciiCapableLayout(keymap_);
    if (xkb_state* state = xkb_x11_state_new_from_device(keymap_, connection_->get(), deviceId_)) {
        layout_ = xkb_state_serialize_layout(state, XKB_STATE_LAYOUT_EFFECTIVE);
        xkb_state_unref(state);
    }
}

std::optional<QString> X11KeyboardLayout::characterForKey(CarbonKeyCode carbonKeyCode) {
    connection_->processPendingEvents();
    if (stale_) {
        reload();
    }
    const auto keycode = xKeycodeForCarbonKeyCode(carbonKeyCode);
    if (!keycode) {
        return std::nullopt;
    }
    return characterForKeycode(keymap_, asciiLayout_.value_or(layout_),
                               static_cast<xkb_keycode_t>(*keycode));
}

}  // namespace hushpane::x11
