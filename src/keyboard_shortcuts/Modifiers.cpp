#include "keyboard_shortcuts/Modifiers.h"

#include <array>

namespace KeyboardShortcuts {

namespace {

struct ModifierRow {
    qint64 carbon;
    Qt::KeyboardModifier flag;
    const char16_t* glyph;
};

// Display order.
const std::array<ModifierRow, 5> kRows{{
    {hushpane::carbon::control, Qt::ControlModifier, u"\u2303"},
    {hushpane::carbon::option, Qt::AltModifier, u"\u2325"},
    {hushpane::carbon::shift, Qt::ShiftModifier, u"\u21E7"},
    {hushpane::carbon::command, Qt::MetaModifier, u"\u2318"},
    {hushpane::carbon::function, FunctionModifier, u"\U0001F310\uFE0E"},
}};

}  // namespace

qint64 carbonModifiers(ModifierFlags flags) {
    qint64 result = 0;
    for (const ModifierRow& row : kRows) {
        if (flags.testFlag(row.flag)) {
            result |= row.carbon;
        }
    }
    return result;
}

ModifierFlags modifierFlags(qint64 carbon) {
    ModifierFlags result;
    for (const ModifierRow& row : kRows) {
        if ((carbon & row.carbon) != 0) {
            result |= row.flag;
        }
    }
    return result;
}

qint64 normalizedCarbonModifiers(qint64 carbon) {
    return carbonModifiers(modifierFlags(carbon));
}

QString symbolicRepresentation(ModifierFlags flags) {
    QString text;
    for (const ModifierRow& row : kRows) {
        if (flags.testFlag(row.flag)) {
            text += QString::fromUtf16(row.glyph);
        }
    }
    return text;
}

bool isModifierKey(int qtKey) {
    switch (qtKey) {
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Meta:
        case Qt::Key_Alt:
        case Qt::Key_AltGr:
        case Qt::Key_CapsLock:
        case Qt::Key_NumLock:
        case Qt::Key_ScrollLock:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
        case Qt::Key_Hyper_L:
        case Qt::Key_Hyper_R:
        case Qt::Key_Mode_switch:
            return true;
        default:
            return false;
    }
}

}  // namespace KeyboardShortcuts
