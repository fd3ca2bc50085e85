#pragma once

#include "platform/DesktopKeybindings.h"

#include <functional>

namespace hushpane::x11 {

// The desktop's keybindings in an X11 session, told apart by key position on the server's
// keymap. Where they come from (xfconf, GSettings) is the caller's choice; they are read
// again for each question, so a change in the desktop's settings counts at once. Programs have
// global shortcuts here, so nothing is added to the desktop's settings.
class X11DesktopKeybindings : public DesktopKeybindings {
public:
    using Reader = std::function<QList<DesktopAccelerator>()>;

    // An empty display name means $DISPLAY.
    explicit X11DesktopKeybindings(Reader read, QString displayName = {});

    bool isAvailable() const override { return false; }
    std::optional<QString> addKeybinding(const QString& name, const QString& command,
                                         qint64 carbonKeyCode, qint64 carbonModifiers) override;
    std::optional<QString> actionOnKeys(qint64 carbonKeyCode,
                                        qint64 carbonModifiers) const override;

private:
    Reader read_;
    QString displayName_;
};

}  // namespace hushpane::x11
