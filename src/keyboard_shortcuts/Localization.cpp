#include "keyboard_shortcuts/Localization.h"

#include <QCoreApplication>

#include <cstring>

namespace KeyboardShortcuts {

namespace {

struct Text {
    const char* key;
    const char* english;
};

const Text kEnglish[] = {
    {"record_shortcut", "Record Shortcut"},
    {"press_shortcut", "Press Shortcut"},
    {"space_key", "space"},
    {"super_key", "Super"},
    {"function_key", "Fn"},
    {"keyboard_shortcut_used_by_menu_item",
     "This keyboard shortcut cannot be used as it's "
     "already used by the “%1” menu item."},
    {"keyboard_shortcut_disallowed", "This keyboard shortcut cannot be used."},
    {"keyboard_shortcut_used_by_system",
     "This keyboard shortcut cannot be used as it's already a system-wide keyboard shortcut."},
    {"keyboard_shortcut_used_by_desktop_action",
     "This keyboard shortcut cannot be used as it's already used by the desktop for “%1”."},
    {"keyboard_shortcuts_can_be_changed",
     "Most system-wide keyboard shortcuts can be changed in the keyboard settings of your "
     "desktop."},
    {"ok", "OK"},
    {"force_use_shortcut", "Use Anyway"},
    {"hot_key_taken", "%1 is taken by another program; choose another shortcut"},
};

}  // namespace

QString localized(const char* key) {
    QString translated = QCoreApplication::translate("KeyboardShortcuts", key);
    if (translated != QLatin1String(key)) {
        return translated;
    }
    for (const Text& text : kEnglish) {
        if (std::strcmp(text.key, key) == 0) {
            return QString::fromUtf8(text.english);
        }
    }
    return translated;
}

}  // namespace KeyboardShortcuts
