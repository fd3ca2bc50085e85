#include "app/ToggleShortcut.h"

#include "keyboard_shortcuts/Key.h"
#include "keyboard_shortcuts/Recorder.h"
#include "keyboard_shortcuts/Shortcut.h"

namespace hushpane {

const KeyboardShortcuts::Name& toggleDesktopName() {
    static const KeyboardShortcuts::Name name(
        QStringLiteral("toggleDesktop"),
        KeyboardShortcuts::Shortcut(KeyboardShortcuts::Key::d,
                                    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return name;
}

QWidget* makeToggleShortcutRow(KeyboardShortcuts::Library& library, const QString& label,
                               QWidget* parent) {
    return new KeyboardShortcuts::Recorder(library, label, toggleDesktopName(), {}, parent);
}

}  // namespace hushpane
