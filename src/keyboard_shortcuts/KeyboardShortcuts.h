#pragma once

// The shortcut library's API without a library argument. Everything works on the Library the
// application made (Library.h), which also announces changes as signals; without one, reads
// answer nothing and writes do nothing.

#include "keyboard_shortcuts/ActionShortcut.h"
#include "keyboard_shortcuts/Key.h"
#include "keyboard_shortcuts/Library.h"
#include "keyboard_shortcuts/Modifiers.h"
#include "keyboard_shortcuts/Name.h"
#include "keyboard_shortcuts/Shortcut.h"

#include <QList>
#include <QSet>

#include <initializer_list>
#include <optional>

namespace KeyboardShortcuts {

// Storage under "KeyboardShortcuts_<name>".
std::optional<Shortcut> getShortcut(const Name& name);
// With nothing: clears (false for a name with a default, so the default stays away).
void setShortcut(const std::optional<Shortcut>& shortcut, const Name& name);
void userDefaultsSet(const Name& name, const Shortcut& shortcut);
bool userDefaultsContains(const Name& name);
void reset(const QList<Name>& names);
void resetAll();
QSet<Name> allNames();

// Handlers: actions run on key down or key up of the name's stored shortcut.
void onKeyDown(const Name& name, Action action);
void onKeyUp(const Name& name, Action action);
void removeHandler(const Name& name);
void removeAllHandlers();
bool isEnabled(const Name& name);
void enable(const QList<Name>& names);
void disable(const QList<Name>& names);

// All hot keys on or off.
bool isEnabled();
void setEnabled(bool enabled);
// True while one of the application's menus is open.
bool isMenuOpen();
// Set by a recorder while it records: no action runs.
bool isPaused();
void setPaused(bool paused);

// The application's main menu (a QMenuBar or QMenu) that recorders check new shortcuts
// against; the library only looks at its actions.
void setMainMenu(QWidget* menu);
QWidget* mainMenu();
// The desktop's own shortcuts, for conflict checks.
QList<Shortcut> systemShortcuts();

}  // namespace KeyboardShortcuts
