#pragma once

#include <xkbcommon/xkbcommon.h>

// A keymap compiled from RMLVO names, as a desktop with that layout would have.
class XkbKeymap {
public:
    explicit XkbKeymap(const char* layout, const char* variant = "") {
        context_ = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
        const xkb_rule_names names{"evdev", "pc105", layout, variant, ""};
        keymap_ = xkb_keymap_new_from_names(context_, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
    }
    ~XkbKeymap() {
        xkb_keymap_unref(keymap_);
        xkb_context_unref(context_);
    }
    XkbKeymap(const XkbKeymap&) = delete;
    XkbKeymap& operator=(const XkbKeymap&) = delete;

    xkb_keymap* get() const { return keymap_; }

private:
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
};
