#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace hushpane {

// The desktop's own keyboard settings, for sessions where a program cannot have a global
// shortcut: the user's shortcut becomes a desktop keybinding that runs a command.
class DesktopKeybindings {
public:
    virtual ~DesktopKeybindings() = default;

    // Whether these settings exist on this machine.
    virtual bool isAvailable() const = 0;

    // Adds a keybinding that runs `command` on the keys of a stored shortcut (Carbon key code
    // and modifiers), or, when there is one with the same command already, gives it this name
    // and these keys. Nothing on success, else what went wrong.
    virtual std::optional<QString> addKeybinding(const QString& name, const QString& command,
                                                 qint64 carbonKeyCode, qint64 carbonModifiers) = 0;
};

}  // namespace hushpane
