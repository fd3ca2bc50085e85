#include "app/ToggleShortcut.h"

#include "app/DesktopShortcutHint.h"

#include "keyboard_shortcuts/Key.h"
#include "keyboard_shortcuts/Recorder.h"
#include "keyboard_shortcuts/Shortcut.h"

#include <QVBoxLayout>

namespace hushpane {

const KeyboardShortcuts::Name& toggleDesktopName() {
    static const KeyboardShortcuts::Name name(
        QStringLiteral("toggleDesktop"),
        KeyboardShortcuts::Shortcut(KeyboardShortcuts::Key::d,
                                    Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    return name;
}

QWidget* makeToggleShortcutRow(KeyboardShortcuts::Library& library, const QString& label,
                               QWidget* parent, const ShortcutHelp& help) {
    auto* recorder = new KeyboardShortcuts::Recorder(library, label, toggleDesktopName(), {});
    if (help.shown == ShortcutHelp::Shown::never) {
        recorder->setParent(parent);
        return recorder;
    }
    auto* row = new QWidget(parent);
    row->setObjectName(QStringLiteral("toggleShortcutRow"));
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(recorder);
    layout->addWidget(new DesktopShortcutHint(library, help, row));
    return row;
}

}  // namespace hushpane
