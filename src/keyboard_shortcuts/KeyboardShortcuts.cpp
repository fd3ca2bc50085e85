#include "keyboard_shortcuts/KeyboardShortcuts.h"

namespace KeyboardShortcuts {

std::optional<Shortcut> getShortcut(const Name& name) {
    Library* library = Library::current();
    return library != nullptr ? library->getShortcut(name) : std::nullopt;
}

void setShortcut(const std::optional<Shortcut>& shortcut, const Name& name) {
    if (Library* library = Library::current()) {
        library->setShortcut(shortcut, name);
    }
}

void userDefaultsSet(const Name& name, const Shortcut& shortcut) {
    if (Library* library = Library::current()) {
        library->userDefaultsSet(name, shortcut);
    }
}

bool userDefaultsContains(const Name& name) {
    Library* library = Library::current();
    return library != nullptr && library->userDefaultsContains(name);
}

void reset(const QList<Name>& names) {
    if (Library* library = Library::current()) {
        library->reset(names);
    }
}

void resetAll() {
    if (Library* library = Library::current()) {
        library->resetAll();
    }
}

QSet<Name> allNames() {
    Library* library = Library::current();
    return library != nullptr ? library->allNames() : QSet<Name>{};
}

void onKeyDown(const Name& name, Action action) {
    if (Library* library = Library::current()) {
        library->onKeyDown(name, std::move(action));
    }
}

void onKeyUp(const Name& name, Action action) {
    if (Library* library = Library::current()) {
        library->onKeyUp(name, std::move(action));
    }
}

void removeHandler(const Name& name) {
    if (Library* library = Library::current()) {
        library->removeHandler(name);
    }
}

void removeAllHandlers() {
    if (Library* library = Library::current()) {
        library->removeAllHandlers();
    }
}

bool isEnabled(const Name& name) {
    Library* library = Library::current();
    return library != nullptr && library->isEnabled(name);
}

void enable(const QList<Name>& names) {
    if (Library* library = Library::current()) {
        library->enable(names);
    }
}

void disable(const QList<Name>& names) {
    if (Library* library = Library::current()) {
        library->disable(names);
    }
}

bool isEnabled() {
    Library* library = Library::current();
    return library == nullptr || library->isEnabled();
}

void setEnabled(bool enabled) {
    if (Library* library = Library::current()) {
        library->setEnabled(enabled);
    }
}

bool isMenuOpen() {
    Library* library = Library::current();
    return library != nullptr && library->isMenuOpen();
}

bool isPaused() {
    Library* library = Library::current();
    return library != nullptr && library->isPaused();
}

void setPaused(bool paused) {
    if (Library* library = Library::current()) {
        library->setPaused(paused);
    }
}

void setMainMenu(QWidget* menu) {
    if (Library* library = Library::current()) {
        library->setMainMenu(menu);
    }
}

QWidget* mainMenu() {
    Library* library = Library::current();
    return library != nullptr ? library->mainMenu() : nullptr;
}

QList<Shortcut> systemShortcuts() {
    Library* library = Library::current();
    return library != nullptr ? library->systemShortcuts() : QList<Shortcut>{};
}

}  // namespace KeyboardShortcuts
