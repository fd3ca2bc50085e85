#include "keyboard_shortcuts/ActionShortcut.h"

#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "keyboard_shortcuts/SpecialKeys.h"

#include <QAction>
#include <QPointer>

namespace KeyboardShortcuts {

namespace {

constexpr auto kKeyEquivalentProperty = "keyboardShortcutsKeyEquivalent";
constexpr auto kModifierMaskProperty = "keyboardShortcutsModifierMask";
constexpr auto kAutomaticLocalizationProperty =
    "keyboardShortcutsAllowsAutomaticKeyEquivalentLocalization";
constexpr auto kBindingObjectName = "KeyboardShortcutsBinding";

// Lives as a child of the bound action; its connection is the action's observation, and it
// goes away with the action.
class Binding : public QObject {
public:
    Binding(QAction* action, Name name) : QObject(action), name_(std::move(name)) {
        setObjectName(QLatin1String(kBindingObjectName));
    }
    const Name& name() const { return name_; }

private:
    Name name_;
};

void show(QAction* item, const std::optional<Shortcut>& shortcut) {
    QString keyEquivalent;
    ModifierFlags mask;
    if (shortcut) {
        keyEquivalent = shortcut->menuItemKeyEquivalent().value_or(QString());
        mask = shortcut->modifiers();
    }
    item->setProperty(kKeyEquivalentProperty, keyEquivalent);
    item->setProperty(kModifierMaskProperty, static_cast<int>(mask.toInt()));
    item->setProperty(kAutomaticLocalizationProperty, !shortcut.has_value());
    // Keypad keys have no key equivalent: the action shows nothing rather than a wrong key.
    item->setShortcut(shortcut && !keyEquivalent.isEmpty() ? shortcut->keySequence()
                                                           : QKeySequence());
}

Binding* bindingOf(QAction* item) {
    return item->findChild<Binding*>(QLatin1String(kBindingObjectName), Qt::FindDirectChildrenOnly);
}

}  // namespace

void setShortcut(QAction* item, const Name& name) {
    setShortcutFor(item, name);
}

void setShortcutFor(QAction* item, const std::optional<Name>& name) {
    if (item == nullptr) {
        return;
    }
    delete bindingOf(item);
    if (!name) {
        show(item, std::nullopt);
        return;
    }
    show(item, getShortcut(*name));
    NotificationCenter* center = notificationCenter();
    if (center == nullptr) {
        return;
    }
    auto* binding = new Binding(item, *name);
    center->addObserver(shortcutByNameDidChange, binding, [binding](const QVariantMap& info) {
        const QVariant changed = info.value(QStringLiteral("name"));
        if (!changed.canConvert<Name>() || !(changed.value<Name>() == binding->name())) {
            return;
        }
        QPointer<Binding> guard(binding);
        QMetaObject::invokeMethod(
            binding,
            [guard] {
                if (guard) {
                    show(static_cast<QAction*>(guard->parent()), getShortcut(guard->name()));
                }
            },
            Qt::QueuedConnection);
    });
}

void setShortcut(QAction* item, const std::optional<Shortcut>& shortcut) {
    if (item != nullptr) {
        show(item, shortcut);
    }
}

MenuItemKeyEquivalent menuItemKeyEquivalent(const QAction* item) {
    MenuItemKeyEquivalent result;
    if (item == nullptr) {
        return result;
    }
    const QVariant stored = item->property(kKeyEquivalentProperty);
    if (stored.isValid()) {
        result.keyEquivalent = stored.toString();
        result.modifierMask = ModifierFlags::fromInt(item->property(kModifierMaskProperty).toInt());
        result.allowsAutomaticKeyEquivalentLocalization =
            item->property(kAutomaticLocalizationProperty).toBool();
        return result;
    }
    const QKeySequence sequence = item->shortcut();
    if (sequence.isEmpty()) {
        return result;
    }
    const QKeyCombination combination = sequence[0];
    const int key = static_cast<int>(combination.key());
    result.modifierMask = combination.keyboardModifiers();
    if (const auto special = menuItemKeyEquivalentForQtKey(key)) {
        result.keyEquivalent = *special;
    } else if (key > 0 && key < 0x110000) {
        // Qt names printable keys by their upper-case character; menus use the lower case
        // and spell shift as a modifier.
        const char32_t character = static_cast<char32_t>(key);
        result.keyEquivalent = QString::fromUcs4(&character, 1).toLower();
    }
    return result;
}

}  // namespace KeyboardShortcuts
