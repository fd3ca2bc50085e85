#include "keyboard_shortcuts/Name.h"

#include "keyboard_shortcuts/KeyboardShortcuts.h"

#include <QLoggingCategory>

namespace KeyboardShortcuts {

Name::Name(QString rawValue, std::optional<Shortcut> defaultShortcut)
    : rawValue_(std::move(rawValue)), defaultShortcut_(defaultShortcut) {
    Library* library = Library::current();
    if (library == nullptr) {
        qWarning("KeyboardShortcuts: name \"%s\" created before the library was set up",
                 qUtf8Printable(rawValue_));
        return;
    }
    if (defaultShortcut_ && !library->userDefaultsContains(*this)) {
        library->userDefaultsSet(*this, *defaultShortcut_);
    }
    library->initialize();
}

Name Name::fromRawValue(QString rawValue) {
    if (Library* library = Library::current()) {
        library->initialize();
    }
    return Name(Plain{}, std::move(rawValue));
}

QString Name::userDefaultsKey() const {
    return QLatin1String(kUserDefaultsKeyPrefix) + rawValue_;
}

std::optional<Shortcut> Name::shortcut() const {
    return getShortcut(*this);
}

void Name::setShortcut(const std::optional<Shortcut>& shortcut) const {
    KeyboardShortcuts::setShortcut(shortcut, *this);
}

}  // namespace KeyboardShortcuts
