#include "keyboard_shortcuts/SpecialKeys.h"

#include "keyboard_shortcuts/Localization.h"

#include <QKeySequence>
#include <Qt>

#include <array>
#include <utility>

namespace KeyboardShortcuts {

namespace {

using namespace Qt;

constexpr std::array<SpecialKey, 53> kSpecialKeys{{
    {36, u"\u21A9", u"\u21A9", Key_Return},
    {51, u"\u232B", u"\u232B", Key_Backspace},
    {117, u"\u2326", u"\u2326", Key_Delete},
    {119, u"\u2198", u"\u2198", Key_End},
    {53, u"\u238B", u"\u238B", Key_Escape},
    {114, u"?\u20DD", u"?\u20DD", Key_Insert},
    {115, u"\u2196", u"\u2196", Key_Home},
    {49, u"", u" ", Key_Space},
    {48, u"\u21E5", u"\u21E5", Key_Tab},
    {116, u"\u21DE", u"\u21DE", Key_PageUp},
    {121, u"\u21DF", u"\u21DF", Key_PageDown},
    {126, u"\u2191", u"\u2191", Key_Up},
    {124, u"\u2192", u"\u2192", Key_Right},
    {125, u"\u2193", u"\u2193", Key_Down},
    {123, u"\u2190", u"\u2190", Key_Left},
    {122, u"F1", u"\uF704", Key_F1},
    {120, u"F2", u"\uF705", Key_F2},
    {99, u"F3", u"\uF706", Key_F3},
    {118, u"F4", u"\uF707", Key_F4},
    {96, u"F5", u"\uF708", Key_F5},
    {97, u"F6", u"\uF709", Key_F6},
    {98, u"F7", u"\uF70A", Key_F7},
    {100, u"F8", u"\uF70B", Key_F8},
    {101, u"F9", u"\uF70C", Key_F9},
    {109, u"F10", u"\uF70D", Key_F10},
    {103, u"F11", u"\uF70E", Key_F11},
    {111, u"F12", u"\uF70F", Key_F12},
    {105, u"F13", u"\uF710", Key_F13},
    {107, u"F14", u"\uF711", Key_F14},
    {113, u"F15", u"\uF712", Key_F15},
    {106, u"F16", u"\uF713", Key_F16},
    {64, u"F17", u"\uF714", Key_F17},
    {79, u"F18", u"\uF715", Key_F18},
    {80, u"F19", u"\uF716", Key_F19},
    {90, u"F20", u"\uF717", Key_F20},
    {82, u"0\u20E3", nullptr, 0},
    {83, u"1\u20E3", nullptr, 0},
    {84, u"2\u20E3", nullptr, 0},
    {85, u"3\u20E3", nullptr, 0},
    {86, u"4\u20E3", nullptr, 0},
    {87, u"5\u20E3", nullptr, 0},
    {88, u"6\u20E3", nullptr, 0},
    {89, u"7\u20E3", nullptr, 0},
    {91, u"8\u20E3", nullptr, 0},
    {92, u"9\u20E3", nullptr, 0},
    {71, u"\u2612\u20E3", nullptr, 0},
    {65, u".\u20E3", nullptr, 0},
    {75, u"/\u20E3", nullptr, 0},
    {76, u"\u21A9\u20E3", nullptr, 0},
    {81, u"=\u20E3", nullptr, 0},
    {78, u"-\u20E3", nullptr, 0},
    {67, u"*\u20E3", nullptr, 0},
    {69, u"+\u20E3", nullptr, 0},
}};

constexpr char16_t kFirstFunctionKeyCharacter = 0xF704;

}  // namespace

const SpecialKey* specialKeyForKeyCode(CarbonKeyCode keyCode) {
    for (const SpecialKey& key : kSpecialKeys) {
        if (key.keyCode == keyCode) {
            return &key;
        }
    }
    return nullptr;
}

QString presentableDescription(const SpecialKey& key) {
    if (key.keyCode == 49) {
        const QString text = localized("space_key");
        return text.isEmpty() ? text : text.left(1).toUpper() + text.mid(1);
    }
    return QString::fromUtf16(key.presentableDescription);
}

QString keyName(const SpecialKey& key) {
    // The keypad keys have no menu key of their own; for their names they are Qt's keys on
    // the keypad.
    static constexpr std::array<std::pair<CarbonKeyCode, int>, 18> kKeypad{{
        {82, Key_0},
        {83, Key_1},
        {84, Key_2},
        {85, Key_3},
        {86, Key_4},
        {87, Key_5},
        {88, Key_6},
        {89, Key_7},
        {91, Key_8},
        {92, Key_9},
        {71, Key_Clear},
        {65, Key_Period},
        {75, Key_Slash},
        {76, Key_Enter},
        {81, Key_Equal},
        {78, Key_Minus},
        {67, Key_Asterisk},
        {69, Key_Plus},
    }};
    QKeyCombination combination(static_cast<Qt::Key>(key.qtKey));
    for (const auto& [code, qtKey] : kKeypad) {
        if (code == key.keyCode) {
            combination = QKeyCombination(KeypadModifier, static_cast<Qt::Key>(qtKey));
        }
    }
    return QKeySequence(combination).toString(QKeySequence::NativeText);
}

int specialKeyCount() {
    return static_cast<int>(kSpecialKeys.size());
}

std::optional<QString> menuItemKeyEquivalentForQtKey(int qtKey) {
    if (qtKey >= Key_F1 && qtKey <= Key_F35) {
        return QString(QChar(static_cast<char16_t>(kFirstFunctionKeyCharacter + (qtKey - Key_F1))));
    }
    for (const SpecialKey& key : kSpecialKeys) {
        if (key.qtKey == qtKey && key.menuItemKeyEquivalent != nullptr) {
            return QString::fromUtf16(key.menuItemKeyEquivalent);
        }
    }
    if (qtKey == Key_Enter) {
        return QString::fromUtf16(u"\u21A9");
    }
    if (qtKey == Key_Help) {
        return QString::fromUtf16(u"?\u20DD");
    }
    return std::nullopt;
}

bool isFunctionKey(int qtKey) {
    return qtKey >= Key_F1 && qtKey <= Key_F35;
}

}  // namespace KeyboardShortcuts
