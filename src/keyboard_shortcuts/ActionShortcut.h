#pragma once

#include "keyboard_shortcuts/Modifiers.h"

#include <QString>

#include <optional>

class QAction;

namespace KeyboardShortcuts {

class Library;
class Name;
class Shortcut;

// What a menu item shows of a shortcut: its key equivalent character, the modifier mask, and
// whether the platform may remap the key for other layouts.
struct MenuItemKeyEquivalent {
    QString keyEquivalent;
    ModifierFlags modifierMask;
    bool allowsAutomaticKeyEquivalentLocalization = true;
};

// Shows the name's shortcut on the action and follows its changes one event-loop turn later,
// until the action is bound to another name or unbound (or the library goes).
void setShortcut(Library& library, QAction* item, const Name& name);
// With a name: as above; with nothing: clears the action and stops following.
void setShortcutFor(Library& library, QAction* item, const std::optional<Name>& name);
// The same on the library the free functions work on.
void setShortcut(QAction* item, const Name& name);
void setShortcutFor(QAction* item, const std::optional<Name>& name);
// Shows a shortcut once (or clears the action); nothing follows.
void setShortcut(QAction* item, const std::optional<Shortcut>& shortcut);

// The action's key equivalent: as set by the calls above, or else read from its QAction
// shortcut, so any menu item can be compared with a shortcut.
MenuItemKeyEquivalent menuItemKeyEquivalent(const QAction* item);

}  // namespace KeyboardShortcuts
