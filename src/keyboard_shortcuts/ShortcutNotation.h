#pragma once

#include "keyboard_shortcuts/Modifiers.h"

#include <QKeyCombination>
#include <QKeySequence>
#include <QString>

namespace KeyboardShortcuts {

// How a shortcut is written for the user. Every text that shows one (the recorder, its
// accessible text, menus, the refusal line, hints) uses the platform's notation.
enum class ShortcutNotation {
    // macOS: the modifier glyphs in the order ⌃⌥⇧⌘🌐︎ without separators, then the
    // key's
    // glyph or character: "⌃⌥⌘D", "⇧⌘K", "F5", "⌘↩".
    symbols,
    // Linux desktops, as their keyboard settings and GTK menus write it: the modifier names
    // in the order Shift, Ctrl, Alt, Super (the logo key), Fn, each followed by "+", then the
    // key: its character, capitalised, or its name as Qt writes it natively (and translates):
    // "Ctrl+Alt+Super+D", "Shift+Ctrl+K", "F5", "Return", "Backspace", "Del", "Ins", "Esc",
    // "Home", "End", "PgUp", "PgDown", "Left", "Up", "Tab", "Space", "Num+Enter".
    names,
};

constexpr ShortcutNotation platformNotation() {
#ifdef Q_OS_MACOS
    return ShortcutNotation::symbols;
#else
    return ShortcutNotation::names;
#endif
}

// The present modifiers in the notation: "⌃⌥⌘" or "Ctrl+Alt+Super+" (empty for none).
QString modifiersText(ModifierFlags flags, ShortcutNotation notation = platformNotation());

// A Qt key combination (a QAction's shortcut) in the names notation; empty for no key.
QString keyCombinationText(QKeyCombination combination);
// Each combination of the sequence as above, joined by ", ".
QString keySequenceText(const QKeySequence& sequence);

}  // namespace KeyboardShortcuts
