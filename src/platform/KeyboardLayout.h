#pragma once

#include "platform/CarbonKeyCode.h"

#include <QString>
#include <QtGlobal>

#include <optional>

namespace hushpane {

// The keyboard layout the user types with right now.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout() = default;

    // The text that the key at this position (a Carbon virtual key code) types with no
    // modifiers on the current layout, or nothing when it types none or cannot be asked.
    // Dead keys answer with their spacing form.
    virtual std::optional<QString> characterForKey(CarbonKeyCode carbonKeyCode) = 0;
};

}  // namespace hushpane
