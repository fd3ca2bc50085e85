#include "keyboard_shortcuts/ShortcutNotation.h"

#include "keyboard_shortcuts/Localization.h"

#include <QCoreApplication>

#include <array>

namespace KeyboardShortcuts {

namespace {

struct ModifierName {
    Qt::KeyboardModifier flag;
    // Shift, Ctrl and Alt are Qt's own words (context "QShortcut"), so they read as Qt's
    // native text does in every language; Super and Fn are the library's.
    const char* qtWord;
    const char* libraryKey;
};

// Writing order.
const std::array<ModifierName, 5> kNames{{
    {Qt::ShiftModifier, "Shift", nullptr},
    {Qt::ControlModifier, "Ctrl", nullptr},
    {Qt::AltModifier, "Alt", nullptr},
    {Qt::MetaModifier, nullptr, "super_key"},
    {FunctionModifier, nullptr, "function_key"},
}};

QString modifierNames(ModifierFlags flags) {
    QString text;
    for (const ModifierName& name : kNames) {
        if (flags.testFlag(name.flag)) {
            text += name.qtWord != nullptr ? QCoreApplication::translate("QShortcut", name.qtWord)
                                           : localized(name.libraryKey);
            text += u'+';
        }
    }
    return text;
}

}  // namespace

QString modifiersText(ModifierFlags flags, ShortcutNotation notation) {
    return notation == ShortcutNotation::symbols ? symbolicRepresentation(flags)
                                                 : modifierNames(flags);
}

QString keyCombinationText(QKeyCombination combination) {
    const Qt::Key key = combination.key();
    if (key == Qt::Key_unknown || key == 0) {
        return {};
    }
    // Qt's native text of the key alone (with "Num+" for keypad keys), behind our modifiers.
    const Qt::KeyboardModifiers keypad = combination.keyboardModifiers() & Qt::KeypadModifier;
    const QString keyText =
        QKeySequence(QKeyCombination(keypad, key)).toString(QKeySequence::NativeText);
    return modifierNames(combination.keyboardModifiers()) + keyText;
}

QString keySequenceText(const QKeySequence& sequence) {
    QStringList parts;
    for (int i = 0; i < sequence.count(); ++i) {
        parts.append(keyCombinationText(sequence[i]));
    }
    return parts.join(QLatin1String(", "));
}

}  // namespace KeyboardShortcuts
