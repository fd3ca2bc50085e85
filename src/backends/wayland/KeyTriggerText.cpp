#include "backends/wayland/KeyTriggerText.h"

#include "common/CarbonModifierBits.h"
#include "common/KeyPositions.h"

#include <xkbcommon/xkbcommon.h>

#include <array>

namespace hushpane::wayland {

namespace {

struct ModifierName {
    quint32 carbon;
    const char* portal;
    const char* gtk;
};

// The order desktops write them in.
constexpr std::array<ModifierName, 4> kModifiers{{
    {carbon::control, "CTRL", "<Control>"},
    {carbon::option, "ALT", "<Alt>"},
    {carbon::shift, "SHIFT", "<Shift>"},
    {carbon::command, "LOGO", "<Super>"},
}};

// One US keymap for the life of the process: it names key positions, nothing more.
xkb_keymap* usKeymap() {
    static xkb_keymap* const keymap = [] {
        xkb_context* context = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
        if (context == nullptr) {
            return static_cast<xkb_keymap*>(nullptr);
        }
        const xkb_rule_names names{"evdev", "pc105", "us", "", ""};
        xkb_keymap* result =
            xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS);
        xkb_context_unref(context);
        return result;
    }();
    return keymap;
}

std::optional<QString> keyName(qint64 carbonKeyCode) {
    const auto evdev = evdevCodeForCarbonKeyCode(carbonKeyCode);
    xkb_keymap* keymap = usKeymap();
    if (!evdev || keymap == nullptr) {
        return std::nullopt;
    }
    const xkb_keysym_t* syms = nullptr;
    const int count = xkb_keymap_key_get_syms_by_level(
        keymap, static_cast<xkb_keycode_t>(*evdev + 8), 0, 0, &syms);
    if (count < 1 || syms[0] == XKB_KEY_NoSymbol) {
        return std::nullopt;
    }
    std::array<char, 64> name{};
    if (xkb_keysym_get_name(syms[0], name.data(), name.size()) <= 0) {
        return std::nullopt;
    }
    return QString::fromLatin1(name.data());
}

template <typename Join>
std::optional<QString> write(qint64 carbonKeyCode, qint64 carbonModifiers, Join join) {
    if (carbonModifiers < 0 || (carbonModifiers & carbon::function) != 0) {
        return std::nullopt;
    }
    const auto key = keyName(carbonKeyCode);
    if (!key) {
        return std::nullopt;
    }
    QString text;
    for (const ModifierName& modifier : kModifiers) {
        if ((static_cast<quint64>(carbonModifiers) & modifier.carbon) != 0) {
            join(text, modifier);
        }
    }
    return text + *key;
}

}  // namespace

std::optional<QString> portalTrigger(qint64 carbonKeyCode, qint64 carbonModifiers) {
    return write(carbonKeyCode, carbonModifiers, [](QString& text, const ModifierName& m) {
        text += QLatin1String(m.portal) + QLatin1Char('+');
    });
}

std::optional<QString> gtkAccelerator(qint64 carbonKeyCode, qint64 carbonModifiers) {
    return write(carbonKeyCode, carbonModifiers,
                 [](QString& text, const ModifierName& m) { text += QLatin1String(m.gtk); });
}

}  // namespace hushpane::wayland
