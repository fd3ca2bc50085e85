#pragma once

#include "platform/CarbonKeyCode.h"

#include <optional>
#include <span>

namespace hushpane {

// One physical key position in its three numberings: the Carbon virtual key code (what stored
// shortcuts hold), the Linux input event code (linux/input-event-codes.h) and the Qt key that
// a US layout produces there, for events that carry no native scan code.
struct KeyPosition {
    CarbonKeyCode carbonKeyCode;
    int evdevCode;
    int qtKey;       // 0 when Qt has no key of its own for the position
    int otherQtKey;  // the shifted or alternative Qt key, or 0
    bool keypad;     // Qt reports the key with KeypadModifier
};

std::optional<int> evdevCodeForCarbonKeyCode(CarbonKeyCode carbonKeyCode);
std::optional<CarbonKeyCode> carbonKeyCodeForEvdevCode(int evdevCode);

// X11 key codes are evdev codes plus 8 and must fit 8..255.
std::optional<int> xKeycodeForCarbonKeyCode(CarbonKeyCode carbonKeyCode);
std::optional<CarbonKeyCode> carbonKeyCodeForXKeycode(int xKeycode);

// For key events without a native scan code: the Qt key (Qt::Key value) and whether Qt
// flagged it as a keypad key.
std::optional<CarbonKeyCode> carbonKeyCodeForQtKey(int qtKey, bool keypad);

}  // namespace hushpane
