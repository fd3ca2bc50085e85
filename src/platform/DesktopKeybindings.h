#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <optional>

namespace hushpane {

// One of the desktop's own keybindings: its accelerator ("<Primary><Alt>Delete",
// "<Super>d") and what it does, in the desktop's words (an action or a command).
struct DesktopAccelerator {
    QString accelerator;
    QString action;
    friend bool operator==(const DesktopAccelerator&, const DesktopAccelerator&) = default;
};

// The desktop's own keyboard settings: what it binds to which keys, and, for sessions where a
// program cannot have a global shortcut, a keybinding that runs a command on the user's
// shortcut.
class DesktopKeybindings {
public:
    virtual ~DesktopKeybindings() = default;

    // Whether keybindings can be added here (addKeybinding).
    virtual bool isAvailable() const = 0;

    // Adds a keybinding that runs `command` on the keys of a stored shortcut (Carbon key code
    // and modifiers), or, when there is one with the same command already, gives it this name
    // and these keys. Nothing on success, else what went wrong.
    virtual std::optional<QString> addKeybinding(const QString& name, const QString& command,
                                                 qint64 carbonKeyCode, qint64 carbonModifiers) = 0;

    // What the desktop itself does on the keys of a shortcut (Carbon key code and normalised
    // modifiers), in its words; nothing where it binds nothing to them or cannot tell.
    virtual std::optional<QString> actionOnKeys(qint64 carbonKeyCode,
                                                qint64 carbonModifiers) const {
        Q_UNUSED(carbonKeyCode);
        Q_UNUSED(carbonModifiers);
        return std::nullopt;
    }
};

}  // namespace hushpane
