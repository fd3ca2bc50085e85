#include "common/KeyPositions.h"

#include <Qt>

#include <array>

namespace hushpane {

namespace {

using namespace Qt;

// Evdev codes from linux/input-event-codes.h, written out so the table does not depend on
// kernel headers being installed.
constexpr std::array kPositions = {
    // Letters
    KeyPosition{0, 30, Key_A, 0, false},
    KeyPosition{11, 48, Key_B, 0, false},
    KeyPosition{8, 46, Key_C, 0, false},
    KeyPosition{2, 32, Key_D, 0, false},
    KeyPosition{14, 18, Key_E, 0, false},
    KeyPosition{3, 33, Key_F, 0, false},
    KeyPosition{5, 34, Key_G, 0, false},
    KeyPosition{4, 35, Key_H, 0, false},
    KeyPosition{34, 23, Key_I, 0, false},
    KeyPosition{38, 36, Key_J, 0, false},
    KeyPosition{40, 37, Key_K, 0, false},
    KeyPosition{37, 38, Key_L, 0, false},
    KeyPosition{46, 50, Key_M, 0, false},
    KeyPosition{45, 49, Key_N, 0, false},
    KeyPosition{31, 24, Key_O, 0, false},
    KeyPosition{35, 25, Key_P, 0, false},
    KeyPosition{12, 16, Key_Q, 0, false},
    KeyPosition{15, 19, Key_R, 0, false},
    KeyPosition{1, 31, Key_S, 0, false},
    KeyPosition{17, 20, Key_T, 0, false},
    KeyPosition{32, 22, Key_U, 0, false},
    KeyPosition{9, 47, Key_V, 0, false},
    KeyPosition{13, 17, Key_W, 0, false},
    KeyPosition{7, 45, Key_X, 0, false},
    KeyPosition{16, 21, Key_Y, 0, false},
    KeyPosition{6, 44, Key_Z, 0, false},
    // Digits
    KeyPosition{29, 11, Key_0, Key_ParenRight, false},
    KeyPosition{18, 2, Key_1, Key_Exclam, false},
    KeyPosition{19, 3, Key_2, Key_At, false},
    KeyPosition{20, 4, Key_3, Key_NumberSign, false},
    KeyPosition{21, 5, Key_4, Key_Dollar, false},
    KeyPosition{23, 6, Key_5, Key_Percent, false},
    KeyPosition{22, 7, Key_6, Key_AsciiCircum, false},
    KeyPosition{26, 8, Key_7, Key_Ampersand, false},
    KeyPosition{28, 9, Key_8, Key_Asterisk, false},
    KeyPosition{25, 10, Key_9, Key_ParenLeft, false},
    // Modifier keys
    KeyPosition{57, 58, Key_CapsLock, 0, false},
    KeyPosition{56, 42, Key_Shift, 0, false},
    KeyPosition{63, 464, 0, 0, false},  // Fn: beyond what X11 key codes can carry
    KeyPosition{59, 29, Key_Control, 0, false},
    KeyPosition{58, 56, Key_Alt, 0, false},
    KeyPosition{55, 125, Key_Super_L, Key_Meta, false},
    KeyPosition{54, 126, Key_Super_R, 0, false},
    KeyPosition{61, 100, Key_AltGr, 0, false},
    KeyPosition{62, 97, 0, 0, false},
    KeyPosition{60, 54, 0, 0, false},
    // Punctuation and whitespace
    KeyPosition{36, 28, Key_Return, 0, false},
    KeyPosition{42, 43, Key_Backslash, Key_Bar, false},
    KeyPosition{50, 41, Key_QuoteLeft, Key_AsciiTilde, false},
    KeyPosition{43, 51, Key_Comma, Key_Less, false},
    KeyPosition{24, 13, Key_Equal, Key_Plus, false},
    KeyPosition{27, 12, Key_Minus, Key_Underscore, false},
    KeyPosition{47, 52, Key_Period, Key_Greater, false},
    KeyPosition{39, 40, Key_Apostrophe, Key_QuoteDbl, false},
    KeyPosition{41, 39, Key_Semicolon, Key_Colon, false},
    KeyPosition{44, 53, Key_Slash, Key_Question, false},
    KeyPosition{49, 57, Key_Space, 0, false},
    KeyPosition{48, 15, Key_Tab, Key_Backtab, false},
    KeyPosition{33, 26, Key_BracketLeft, Key_BraceLeft, false},
    KeyPosition{30, 27, Key_BracketRight, Key_BraceRight, false},
    // Navigation
    KeyPosition{116, 104, Key_PageUp, 0, false},
    KeyPosition{121, 109, Key_PageDown, 0, false},
    KeyPosition{115, 102, Key_Home, 0, false},
    KeyPosition{119, 107, Key_End, 0, false},
    KeyPosition{126, 103, Key_Up, 0, false},
    KeyPosition{124, 106, Key_Right, 0, false},
    KeyPosition{125, 108, Key_Down, 0, false},
    KeyPosition{123, 105, Key_Left, 0, false},
    KeyPosition{53, 1, Key_Escape, 0, false},
    KeyPosition{51, 14, Key_Backspace, 0, false},
    KeyPosition{117, 111, Key_Delete, 0, false},
    // The key where PC keyboards have Insert.
    KeyPosition{114, 110, Key_Insert, Key_Help, false},
    // Media
    KeyPosition{74, 113, Key_VolumeMute, 0, false},
    KeyPosition{72, 115, Key_VolumeUp, 0, false},
    KeyPosition{73, 114, Key_VolumeDown, 0, false},
    // Function keys
    KeyPosition{122, 59, Key_F1, 0, false},
    KeyPosition{120, 60, Key_F2, 0, false},
    KeyPosition{99, 61, Key_F3, 0, false},
    KeyPosition{118, 62, Key_F4, 0, false},
    KeyPosition{96, 63, Key_F5, 0, false},
    KeyPosition{97, 64, Key_F6, 0, false},
    KeyPosition{98, 65, Key_F7, 0, false},
    KeyPosition{100, 66, Key_F8, 0, false},
    KeyPosition{101, 67, Key_F9, 0, false},
    KeyPosition{109, 68, Key_F10, 0, false},
    KeyPosition{103, 87, Key_F11, 0, false},
    KeyPosition{111, 88, Key_F12, 0, false},
    KeyPosition{105, 183, Key_F13, 0, false},
    KeyPosition{107, 184, Key_F14, 0, false},
    KeyPosition{113, 185, Key_F15, 0, false},
    KeyPosition{106, 186, Key_F16, 0, false},
    KeyPosition{64, 187, Key_F17, 0, false},
    KeyPosition{79, 188, Key_F18, 0, false},
    KeyPosition{80, 189, Key_F19, 0, false},
    KeyPosition{90, 190, Key_F20, 0, false},
    // Keypad
    KeyPosition{82, 82, Key_0, Key_Insert, true},
    KeyPosition{83, 79, Key_1, Key_End, true},
    KeyPosition{84, 80, Key_2, Key_Down, true},
    KeyPosition{85, 81, Key_3, Key_PageDown, true},
    KeyPosition{86, 75, Key_4, Key_Left, true},
    KeyPosition{87, 76, Key_5, Key_Clear, true},
    KeyPosition{88, 77, Key_6, Key_Right, true},
    KeyPosition{89, 71, Key_7, Key_Home, true},
    KeyPosition{91, 72, Key_8, Key_Up, true},
    KeyPosition{92, 73, Key_9, Key_PageUp, true},
    // Clear sits where PC keyboards have Num Lock.
    KeyPosition{71, 69, Key_NumLock, 0, false},
    KeyPosition{65, 83, Key_Period, Key_Delete, true},
    KeyPosition{75, 98, Key_Slash, 0, true},
    KeyPosition{76, 96, Key_Enter, 0, true},
    KeyPosition{81, 117, Key_Equal, 0, true},
    KeyPosition{78, 74, Key_Minus, 0, true},
    KeyPosition{67, 55, Key_Asterisk, 0, true},
    KeyPosition{69, 78, Key_Plus, 0, true},
    // Unnamed positions: the ISO key left of Z.
    KeyPosition{10, 86, Key_Less, Key_Greater, false},
};

}  // namespace

std::optional<int> evdevCodeForCarbonKeyCode(CarbonKeyCode carbonKeyCode) {
    for (const KeyPosition& p : kPositions) {
        if (p.carbonKeyCode == carbonKeyCode) {
            return p.evdevCode;
        }
    }
    return std::nullopt;
}

std::optional<CarbonKeyCode> carbonKeyCodeForEvdevCode(int evdevCode) {
    for (const KeyPosition& p : kPositions) {
        if (p.evdevCode == evdevCode) {
            return p.carbonKeyCode;
        }
    }
    return std::nullopt;
}

std::optional<int> xKeycodeForCarbonKeyCode(CarbonKeyCode carbonKeyCode) {
    const auto evdev = evdevCodeForCarbonKeyCode(carbonKeyCode);
    if (!evdev || *evdev + 8 > 255) {
        return std::nullopt;
    }
    return *evdev + 8;
}

std::optional<CarbonKeyCode> carbonKeyCodeForXKeycode(int xKeycode) {
    if (xKeycode < 8 || xKeycode > 255) {
        return std::nullopt;
    }
    return carbonKeyCodeForEvdevCode(xKeycode - 8);
}

std::optional<CarbonKeyCode> carbonKeyCodeForQtKey(int qtKey, bool keypad) {
    if (qtKey == 0) {
        return std::nullopt;
    }
    // Keypad rows first when Qt says keypad, so keypad 5 is not the 5 above the letters;
    // without the flag they only match on their own keys (Enter).
    for (int pass = 0; pass < 2; ++pass) {
        const bool wantKeypad = keypad ? pass == 0 : pass == 1;
        for (const KeyPosition& p : kPositions) {
            if (p.keypad != wantKeypad) {
                continue;
            }
            if (p.qtKey == qtKey || (p.otherQtKey != 0 && p.otherQtKey == qtKey)) {
                if (p.keypad && !keypad && qtKey != Key_Enter) {
                    continue;
                }
                return p.carbonKeyCode;
            }
        }
    }
    return std::nullopt;
}

}  // namespace hushpane
