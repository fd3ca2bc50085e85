#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace hushpane::wayland {

// A stored shortcut (Carbon key code and modifiers) written the way a desktop takes it. The key
// is named by the keysym a US layout gives its position, so the text stays the same whatever
// layout is active, as the stored key position does. Nothing when the shortcut uses the
// function modifier or the position has no keysym.

// The global-shortcuts portal's trigger notation: "CTRL+ALT+LOGO+d".
std::optional<QString> portalTrigger(qint64 carbonKeyCode, qint64 carbonModifiers);

// A GTK accelerator as GNOME's keyboard settings store it: "<Control><Alt><Super>d".
std::optional<QString> gtkAccelerator(qint64 carbonKeyCode, qint64 carbonModifiers);

}  // namespace hushpane::wayland
