#pragma once

#include "keyboard_shortcuts/Key.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace KeyboardShortcuts {

// The 53 keys shown by a glyph of their own instead of the layout's character.
struct SpecialKey {
    CarbonKeyCode keyCode;
    // Empty for space, whose text is localised.
    const char16_t* presentableDescription;
    // The menu key equivalent character, or nullptr (keypad keys have none).
    const char16_t* menuItemKeyEquivalent;
    int qtKey;
};

const SpecialKey* specialKeyForKeyCode(CarbonKeyCode keyCode);
// The display text of a special key in glyphs (space gets its localised text, capitalised).
QString presentableDescription(const SpecialKey& key);
// Its name as Qt writes the key natively: "Return", "Del", "F5", "Num+Enter".
QString keyName(const SpecialKey& key);
int specialKeyCount();

// Menu key equivalents of Qt keys that are special for menus (F1 to F35, arrows, ...), so a
// QAction's own shortcut can be compared with a shortcut's key equivalent.
std::optional<QString> menuItemKeyEquivalentForQtKey(int qtKey);

// F1 to F35: the keys that may stand without a modifier in a recorded shortcut.
bool isFunctionKey(int qtKey);

}  // namespace KeyboardShortcuts
