#pragma once

#include "common/CarbonModifierBits.h"

#include <QString>
#include <Qt>

namespace KeyboardShortcuts {

// Event-side modifier flags. Qt's keyboard modifiers carry control, option (Alt), shift and
// command (Meta, the Super key); the function key has no Qt flag, so it gets a bit of its own
// outside Qt's modifier mask.
using ModifierFlags = Qt::KeyboardModifiers;
inline constexpr auto FunctionModifier = static_cast<Qt::KeyboardModifier>(0x00800000);

// Both directions keep only the five modifiers; caps lock, keypad and every other bit drop.
qint64 carbonModifiers(ModifierFlags flags);
ModifierFlags modifierFlags(qint64 carbonModifiers);
// Through event flags and back: only the five meaningful bits survive.
qint64 normalizedCarbonModifiers(qint64 carbonModifiers);

// Shift, Control, Alt, Super and the lock keys: keys that only change the modifier state.
bool isModifierKey(int qtKey);

// The glyphs of the present modifiers in the fixed order ⌃⌥⇧⌘🌐︎.
QString symbolicRepresentation(ModifierFlags flags);

}  // namespace KeyboardShortcuts
