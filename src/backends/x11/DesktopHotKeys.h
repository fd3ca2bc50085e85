#pragma once

#include "platform/DesktopKeybindings.h"
#include "platform/HotKeyService.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

#include <xkbcommon/xkbcommon.h>

namespace hushpane::x11 {

// A desktop accelerator ("<Primary><Alt>Delete", "<Super>d") as a keysym and Carbon
// modifiers.
struct Accelerator {
    xkb_keysym_t keysym;
    qint64 carbonModifiers;
};

// Nothing for text that is not an accelerator (unknown modifier or key name, empty).
std::optional<Accelerator> parseAccelerator(const QString& text);

// The accelerators as key positions on the keymap; ones no key produces are left out. A
// keysym on the shifted level counts as needing shift.
QList<SymbolicHotKey> symbolicHotKeys(const QStringList& accelerators, xkb_keymap* keymap);

// The key position (Carbon key code) and Carbon modifiers of an accelerator on the keymap,
// found on the first layout that can type ASCII (where desktops name their keys); a keysym
// on the shifted level counts as needing shift. Nothing when no key produces it.
std::optional<std::pair<CarbonKeyCode, qint64>> keysOfAccelerator(const QString& text,
                                                                  xkb_keymap* keymap);

// What the first of the desktop's keybindings on these keys does; nothing when none is.
std::optional<QString> actionOnKeys(const QList<DesktopAccelerator>& keybindings,
                                    xkb_keymap* keymap, CarbonKeyCode keyCode, qint64 modifiers);

}  // namespace hushpane::x11
