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
                               QWidget* parent, DesktopKeybindings* noGlobalShortcuts) {
    auto* recorder = new KeyboardShortcuts::Recorder(library, label, toggleDesktopName(), {});
    if (noGlobalShortcuts == nullptr) {
        recorder->setParent(parent);
        return recorder;
    }
    auto* row = new QWidget(parent);
    row->setObjectName(QStringLiteral("toggleShortcutRow"));
    auto* layout = new QVBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(recorder);
    layout->addWidget(new DesktopShortcutHint(library, *noGlobalShortcuts, row));
    return row;
}

}  // namespace hushpane
