#include "backends/x11/XkbKeyTranslation.h"

#include <xkbcommon/xkbcommon-keysyms.h>

#include <array>
#include <memory>

namespace hushpane::x11 {

namespace {

struct DeadKey {
    xkb_keysym_t keysym;
    char32_t spacing;
};

// xkbcommon gives no text for dead keys; these are the characters their keys are printed
// with.
constexpr std::array<DeadKey, 16> kDeadKeys{{
    {XKB_KEY_dead_grave, U'`'},
    {XKB_KEY_dead_acute, U'\u00B4'},
    {XKB_KEY_dead_circumflex, U'^'},
    {XKB_KEY_dead_tilde, U'~'},
    {XKB_KEY_dead_macron, U'\u00AF'},
    {XKB_KEY_dead_breve, U'\u02D8'},
    {XKB_KEY_dead_abovedot, U'\u02D9'},
    {XKB_KEY_dead_diaeresis, U'\u00A8'},
    {XKB_KEY_dead_abovering, U'\u02DA'},
    {XKB_KEY_dead_doubleacute, U'\u02DD'},
    {XKB_KEY_dead_caron, U'\u02C7'},
    {XKB_KEY_dead_cedilla, U'\u00B8'},
    {XKB_KEY_dead_ogonek, U'\u02DB'},
    {XKB_KEY_dead_iota, U'\u037A'},
    {XKB_KEY_dead_belowdot, U'.'},
    {XKB_KEY_dead_hook, U'\u02C0'},
}};

struct StateDeleter {
    void operator()(xkb_state* state) const { xkb_state_unref(state); }
};

}  // namespace

std::optional<QString> characterForKeycode(xkb_keymap* keymap, xkb_layout_index_t layout,
                                           xkb_keycode_t keycode) {
    if (keymap == nullptr || keycode < xkb_keymap_min_keycode(keymap) ||
        keycode > xkb_keymap_max_keycode(keymap) || layout >= xkb_keymap_num_layouts(keymap)) {
        return std::nullopt;
    }
    std::unique_ptr<xkb_state, StateDeleter> state(xkb_state_new(keymap));
    if (!state) {
        return std::nullopt;
    }
    // Only the layout: no modifier, no lock.
    xkb_state_update_mask(state.get(), 0, 0, 0, 0, 0, layout);

    const xkb_keysym_t keysym = xkb_state_key_get_one_sym(state.get(), keycode);
    for (const DeadKey& dead : kDeadKeys) {
        if (dead.keysym == keysym) {
            return QString::fromUcs4(&dead.spacing, 1);
        }
    }
    char buffer[64];
    const int size = xkb_state_key_get_utf8(state.get(), keycode, buffer, sizeof buffer);
    if (size <= 0 || static_cast<size_t>(size) >= sizeof buffer) {
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(buffer, size);
    if (text.isEmpty() || text.at(0).category() == QChar::Other_Control) {
        return std::nullopt;
    }
    return text;
}

std::optional<xkb_layout_index_t> firstAsciiCapableLayout(xkb_keymap* keymap) {
    if (keymap == nullptr) {
        return std::nullopt;
    }
    // The X key codes of the middle letter row, A to L on a US keyboard: every Latin layout
    // puts letters there (AZERTY and QWERTZ included).
    constexpr xkb_keycode_t kHomeRow[] = {38, 39, 40, 41, 42, 43, 44, 45, 46};
    const xkb_layout_index_t layouts = xkb_keymap_num_layouts(keymap);
    for (xkb_layout_index_t layout = 0; layout < layouts; ++layout) {
        bool latin = true;
        for (const xkb_keycode_t keycode : kHomeRow) {
            const auto text = characterForKeycode(keymap, layout, keycode);
            if (!text || text->size() != 1 || text->at(0).unicode() > 0x7F ||
                !text->at(0).isLetter()) {
                latin = false;
                break;
            }
        }
        if (latin) {
            return layout;
        }
    }
    return std::nullopt;
}

std::optional<KeysymPosition> positionOfKeysym(xkb_keymap* keymap, xkb_layout_index_t layout,
                                               xkb_keysym_t keysym) {
    if (keymap == nullptr || keysym == XKB_KEY_NoSymbol) {
        return std::nullopt;
    }
    std::optional<KeysymPosition> best;
    const xkb_keycode_t last = xkb_keymap_max_keycode(keymap);
    for (xkb_keycode_t keycode = xkb_keymap_min_keycode(keymap); keycode <= last; ++keycode) {
        const xkb_layout_index_t layouts = xkb_keymap_num_layouts_for_key(keymap, keycode);
        if (layouts == 0) {
            continue;
        }
        const xkb_layout_index_t effective = layout < layouts ? layout : 0;
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap, keycode, effective);
        for (xkb_level_index_t level = 0; level < levels && level < 2; ++level) {
            const xkb_keysym_t* syms = nullptr;
            const int count =
                xkb_keymap_key_get_syms_by_level(keymap, keycode, effective, level, &syms);
            for (int i = 0; i < count; ++i) {
                if (syms[i] == keysym && (!best || level < best->level)) {
                    best = KeysymPosition{keycode, level};
                }
            }
        }
        if (best && best->level == 0) {
            return best;
        }
    }
    return best;
}

}  // namespace hushpane::x11
