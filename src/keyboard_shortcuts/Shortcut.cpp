#include "keyboard_shortcuts/Shortcut.h"

#include "common/KeyPositions.h"
#include "keyboard_shortcuts/ActionShortcut.h"
#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "keyboard_shortcuts/SpecialKeys.h"
#include "platform/KeyboardLayout.h"

#include <QAction>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMenu>
#include <QTextBoundaryFinder>

#include <cmath>

namespace KeyboardShortcuts {

namespace {

const QString kReplacementCharacter = QString(QChar(0xFFFD));

bool isSingleGrapheme(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    return finder.toNextBoundary() == text.size();
}

QString capitalized(const QString& text) {
    const QString upper = text.toUpper();
    // "ß" would become "SS": keep what the key types rather than change its length.
    return upper.size() == text.size() ? upper : text;
}

std::optional<qint64> integerMember(const QJsonObject& object, QLatin1String key) {
    const QJsonValue value = object.value(key);
    if (!value.isDouble()) {
        return std::nullopt;
    }
    const QVariant variant = value.toVariant();
    if (variant.typeId() == QMetaType::LongLong || variant.typeId() == QMetaType::Int) {
        return variant.toLongLong();
    }
    const double d = value.toDouble();
    if (!std::isfinite(d) || std::trunc(d) != d || d < -9223372036854775808.0 ||
        d >= 9223372036854775808.0) {
        return std::nullopt;
    }
    return static_cast<qint64>(d);
}

bool nativeScanCodesAreXKeycodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

}  // namespace

Shortcut::Shortcut(CarbonKeyCode carbonKeyCode, qint64 carbonModifiers)
    : carbonKeyCode_(carbonKeyCode), carbonModifiers_(normalizedCarbonModifiers(carbonModifiers)) {}

Shortcut::Shortcut(Key key, ModifierFlags modifiers)
    : carbonKeyCode_(key.rawValue),
      carbonModifiers_(KeyboardShortcuts::carbonModifiers(modifiers)) {}

Shortcut Shortcut::fromStoredValues(CarbonKeyCode carbonKeyCode, qint64 carbonModifiers) {
    return Shortcut(Raw{}, carbonKeyCode, carbonModifiers);
}

std::optional<Shortcut> Shortcut::fromEvent(const QKeyEvent& event) {
    if (event.type() != QEvent::KeyPress && event.type() != QEvent::KeyRelease) {
        return std::nullopt;
    }
    // A modifier key on its own only changes the modifier state; it is no shortcut.
    if (isModifierKey(event.key())) {
        return std::nullopt;
    }
    std::optional<CarbonKeyCode> code;
    if (event.nativeScanCode() != 0 && nativeScanCodesAreXKeycodes()) {
        code = hushpane::carbonKeyCodeForXKeycode(static_cast<int>(event.nativeScanCode()));
    }
    if (!code) {
        code = hushpane::carbonKeyCodeForQtKey(event.key(),
                                               event.modifiers().testFlag(Qt::KeypadModifier));
    }
    if (!code) {
        return std::nullopt;
    }
    ModifierFlags flags = event.modifiers();
    flags.setFlag(FunctionModifier, false);
    return Shortcut(*code, KeyboardShortcuts::carbonModifiers(flags));
}

QString Shortcut::presentableDescription(ShortcutNotation notation) const {
    const QString text = modifiersText(modifiers(), notation);
    if (const SpecialKey* special = specialKeyForKeyCode(carbonKeyCode_)) {
        return text + (notation == ShortcutNotation::symbols
                           ? KeyboardShortcuts::presentableDescription(*special)
                           : keyName(*special));
    }
    const auto character = keyToCharacter(carbonKeyCode_);
    return text + (character ? capitalized(*character) : kReplacementCharacter);
}

std::optional<QString> Shortcut::menuItemKeyEquivalent() const {
    if (const SpecialKey* special = specialKeyForKeyCode(carbonKeyCode_)) {
        if (special->menuItemKeyEquivalent == nullptr) {
            return std::nullopt;
        }
        return QString::fromUtf16(special->menuItemKeyEquivalent);
    }
    return keyToCharacter(carbonKeyCode_);
}

QKeySequence Shortcut::keySequence() const {
    int qtKey = 0;
    if (const SpecialKey* special = specialKeyForKeyCode(carbonKeyCode_)) {
        qtKey = special->qtKey;
    } else if (const auto character = keyToCharacter(carbonKeyCode_)) {
        const QString upper = capitalized(*character);
        // Qt names printable keys by their upper-case code point.
        const uint codePoint = upper.toUcs4().value(0);
        qtKey = static_cast<int>(codePoint);
    }
    if (qtKey == 0) {
        return {};
    }
    const Qt::KeyboardModifiers qtModifiers = modifiers() & Qt::KeyboardModifierMask;
    return QKeySequence(QKeyCombination(qtModifiers, static_cast<Qt::Key>(qtKey)));
}

QAction* Shortcut::menuItemWithMatchingShortcut(const QList<QAction*>& actions) const {
    const auto wanted = menuItemKeyEquivalent();
    const ModifierFlags wantedModifiers = modifiers();
    const bool hasShift = wantedModifiers.testFlag(Qt::ShiftModifier);
    for (QAction* action : actions) {
        if (action == nullptr) {
            continue;
        }
        const MenuItemKeyEquivalent item = KeyboardShortcuts::menuItemKeyEquivalent(action);
        QString keyEquivalent = item.keyEquivalent;
        ModifierFlags mask = item.modifierMask;
        // An upper-case key equivalent means the item needs shift.
        if (hasShift && keyEquivalent != keyEquivalent.toLower()) {
            keyEquivalent = keyEquivalent.toLower();
            mask |= Qt::ShiftModifier;
        }
        if (wanted && *wanted == keyEquivalent && mask == wantedModifiers) {
            return action;
        }
        if (action->menu() != nullptr) {
            if (QAction* found = menuItemWithMatchingShortcut(action->menu()->actions())) {
                return found;
            }
        }
    }
    return nullptr;
}

QAction* Shortcut::menuItemWithMatchingShortcut(const QMenu* menu) const {
    return menu == nullptr ? nullptr : menuItemWithMatchingShortcut(menu->actions());
}

QString Shortcut::toJson() const {
    QJsonObject object;
    object.insert(QLatin1String("carbonKeyCode"), carbonKeyCode_);
    object.insert(QLatin1String("carbonModifiers"), carbonModifiers_);
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<Shortcut> Shortcut::fromJson(const QString& text) {
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(text.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    const auto code = integerMember(object, QLatin1String("carbonKeyCode"));
    const auto mods = integerMember(object, QLatin1String("carbonModifiers"));
    if (!code || !mods) {
        return std::nullopt;
    }
    return fromStoredValues(*code, *mods);
}

std::optional<QString> keyToCharacter(CarbonKeyCode carbonKeyCode) {
    Library* library = Library::current();
    if (library == nullptr || specialKeyForKeyCode(carbonKeyCode) != nullptr || carbonKeyCode < 0 ||
        carbonKeyCode > 0xFFFF) {
        return std::nullopt;
    }
    auto text = library->keyboardLayout().characterForKey(carbonKeyCode);
    if (!text || !isSingleGrapheme(*text)) {
        return std::nullopt;
    }
    return text;
}

}  // namespace KeyboardShortcuts
