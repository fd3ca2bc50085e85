#pragma once

#include "app/DesktopShortcutHint.h"
#include "keyboard_shortcuts/Name.h"

class QWidget;

namespace KeyboardShortcuts {
class Library;
}

namespace hushpane {

// The program's one global shortcut: hide or show the desktop icons from anywhere. Made on
// first use, which stores and registers the default Control-Option-Command-D when nothing is
// stored yet; a stored shortcut, or the marker that the user removed it, is left alone.
const KeyboardShortcuts::Name& toggleDesktopName();

// The settings form's row that records the toggle shortcut. Where the session gives programs
// no global shortcut, or the desktop that picks the keys bound none, the recorder comes with
// the way to bind the shortcut in the desktop's own settings instead (`help`).
QWidget* makeToggleShortcutRow(KeyboardShortcuts::Library& library, const QString& label,
                               QWidget* parent, const ShortcutHelp& help = {});

}  // namespace hushpane
