#pragma once

#include <QtGlobal>

namespace hushpane::carbon {

// The modifier bits of a stored shortcut. They are the stored format, so every platform layer
// reads and writes these values, whatever its own modifiers are.
inline constexpr quint32 command = 0x100;
inline constexpr quint32 shift = 0x200;
inline constexpr quint32 option = 0x800;
inline constexpr quint32 control = 0x1000;
inline constexpr quint32 function = 0x20000;

}  // namespace hushpane::carbon
