#pragma once

#include <QString>

#include <optional>

#include <xkbcommon/xkbcommon.h>

namespace hushpane::x11 {

// The text the key types with no modifiers in one layout of the keymap. Dead keys give their
// spacing form ("^" for a dead circumflex) so they can be shown; keys that type nothing, or
// control characters, give nothing.
std::optional<QString> characterForKeycode(xkb_keymap* keymap, xkb_layout_index_t layout,
                                           xkb_keycode_t keycode);

// The first layout (group) of the keymap whose letter keys type Latin letters, the one shortcuts
// are named in: a user of "ru,us" presses the D key for Ctrl+D, whichever group is active.
// Nothing when no layout does.
std::optional<xkb_layout_index_t> firstAsciiCapableLayout(xkb_keymap* keymap);

// A key position (X key code) and level that produces the keysym in the layout, preferring
// the unshifted level; nothing when no key does.
struct KeysymPosition {
    xkb_keycode_t keycode;
    xkb_level_index_t level;
};
std::optional<KeysymPosition> positionOfKeysym(xkb_keymap* keymap, xkb_layout_index_t layout,
                                               xkb_keysym_t keysym);

}  // namespace hushpane::x11
