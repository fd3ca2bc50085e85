#pragma once

#include "keyboard_shortcuts/Name.h"

class QWidget;

namespace KeyboardShortcuts {
class Library;
}

namespace hushpane {

class DesktopKeybindings;

// The program's one global shortcut: hide or show the desktop icons from anywhere. Made on
// first use, which stores and registers the default Control-Option-Command-D when nothing is
// stored yet; a stored shortcut, or the marker that the user removed it, is left alone.
const KeyboardShortcuts::Name& toggleDesktopName();

// The settings form's row that records the toggle shortcut. With `noGlobalShortcuts` (the
// session gives programs none) the recorder comes with the way to bind the shortcut in the
// desktop's own settings instead.
QWidget* makeToggleShortcutRow(KeyboardShortcuts::Library& library, const QString& label,
                               QWidget* parent, DesktopKeybindings* noGlobalShortcuts = nullptr);

}  // namespace hushpane
