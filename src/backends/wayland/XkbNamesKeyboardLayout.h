#pragma once

#include "platform/KeyboardLayout.h"

#include <QString>

#include <xkbcommon/xkbcommon.h>

namespace hushpane::wayland {

// The keyboard layout where the display server does not share its keymap with us: built by
// xkbcommon from layout names, those of XKB_DEFAULT_LAYOUT and friends when set, else the
// system's keyboard configuration (/etc/default/keyboard), else xkbcommon's defaults. The
// first layout of the list names the keys.
class XkbNamesKeyboardLayout : public KeyboardLayout {
public:
    struct Names {
        QString rules, model, layout, variant, options;
    };

    explicit XkbNamesKeyboardLayout(const Names& names);
    // From the environment and `configurationFile`.
    static Names namesFromSystem(
        const QString& configurationFile = QStringLiteral("/etc/default/keyboard"));

    ~XkbNamesKeyboardLayout() override;
    XkbNamesKeyboardLayout(const XkbNamesKeyboardLayout&) = delete;
    XkbNamesKeyboardLayout& operator=(const XkbNamesKeyboardLayout&) = delete;

    bool isValid() const { return keymap_ != nullptr; }
    std::optional<QString> characterForKey(qint64 carbonKeyCode) override;

private:
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
};

}  // namespace hushpane::wayland
