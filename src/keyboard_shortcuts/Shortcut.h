#pragma once

#include "keyboard_shortcuts/Key.h"
#include "keyboard_shortcuts/Modifiers.h"
#include "keyboard_shortcuts/ShortcutNotation.h"

#include <QHashFunctions>
#include <QKeySequence>
#include <QList>
#include <QMetaType>
#include <QString>

#include <optional>

class QAction;
class QKeyEvent;
class QMenu;

namespace KeyboardShortcuts {

class Name;

// A key and its modifiers as the two Carbon integers that are stored. Equal when both
// integers are equal; a decoded mask keeps whatever bits it had, while display, menus and
// registration look only at the five meaningful ones.
class Shortcut {
public:
    // The mask is normalised: only control, option, shift, command and function survive.
    Shortcut(CarbonKeyCode carbonKeyCode, qint64 carbonModifiers);
    explicit Shortcut(Key key, ModifierFlags modifiers = {});

    // The two integers exactly as given (the stored form, for decoding).
    static Shortcut fromStoredValues(CarbonKeyCode carbonKeyCode, qint64 carbonModifiers);

    // Key press or release events only. The key position comes from the X key code when the
    // event has one, otherwise from the Qt key; the function modifier never comes from an
    // event.
    static std::optional<Shortcut> fromEvent(const QKeyEvent& event);

    CarbonKeyCode carbonKeyCode() const { return carbonKeyCode_; }
    qint64 carbonModifiers() const { return carbonModifiers_; }
    Key key() const { return Key(carbonKeyCode_); }
    ModifierFlags modifiers() const { return modifierFlags(carbonModifiers_); }

    // The modifiers, then the key's glyph or name or its character on the current layout
    // (capitalised), or U+FFFD when it has none; in the platform's notation unless told
    // otherwise ("⌃⌥⌘D" on macOS, "Ctrl+Alt+Super+D" elsewhere).
    QString presentableDescription(ShortcutNotation notation = platformNotation()) const;
    QString description() const { return presentableDescription(); }

    // The character a menu shows for the key: the special key's menu character, or the
    // layout's character (not capitalised); nothing for keypad keys or untranslatable ones.
    std::optional<QString> menuItemKeyEquivalent() const;
    // What a QAction shows: the key with the modifiers, or empty when there is no key
    // equivalent.
    QKeySequence keySequence() const;

    // The first action, depth first through submenus, whose key equivalent and modifier
    // mask are this shortcut's.
    QAction* menuItemWithMatchingShortcut(const QList<QAction*>& actions) const;
    QAction* menuItemWithMatchingShortcut(const QMenu* menu) const;

    // {"carbonKeyCode":2,"carbonModifiers":6400}
    QString toJson() const;
    // Both members must be integers that fit 64 bits; anything else is nothing.
    static std::optional<Shortcut> fromJson(const QString& text);

    friend bool operator==(const Shortcut&, const Shortcut&) = default;

private:
    struct Raw {};
    Shortcut(Raw, CarbonKeyCode carbonKeyCode, qint64 carbonModifiers)
        : carbonKeyCode_(carbonKeyCode), carbonModifiers_(carbonModifiers) {}

    CarbonKeyCode carbonKeyCode_;
    qint64 carbonModifiers_;
};

inline size_t qHash(const Shortcut& shortcut, size_t seed = 0) {
    return qHashMulti(seed, shortcut.carbonKeyCode(), shortcut.carbonModifiers());
}

// The character the key at this position types on the current layout, if exactly one;
// nothing for special keys, codes outside 0..65535 or when no layout is set up.
std::optional<QString> keyToCharacter(CarbonKeyCode carbonKeyCode);

}  // namespace KeyboardShortcuts

template <>
struct std::hash<KeyboardShortcuts::Shortcut> {
    size_t operator()(const KeyboardShortcuts::Shortcut& shortcut) const noexcept {
        return KeyboardShortcuts::qHash(shortcut);
    }
};
