#include "keyboard_shortcuts/ActionShortcut.h"

#include "keyboard_shortcuts/KeyboardShortcuts.h"
#include "keyboard_shortcuts/MenuShortcutStyle.h"
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

void show(QAction* item, const std::optional<Shortcut>& shortcut,
          const std::optional<QString>& trigger = std::nullopt) {
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
    if (shortcut && trigger) {
        // The menu shows the keys that fire it; none when the desktop's text names no keys Qt
        // knows, or while it has unbound them.
        const QKeySequence bound = QKeySequence::fromString(*trigger, QKeySequence::NativeText);
        const bool known = !bound.isEmpty() && bound[0].key() != Qt::Key_unknown;
        item->setShortcut(known ? bound : QKeySequence());
        if (known) {
            // Written as the desktop wrote it, the same as in the recorder.
            MenuShortcutStyle::writeInDesktopWords(bound, *trigger);
        }
    }
}

// Lives as a child of the bound action; its connection is the action's observation, and it
// goes away with the action.
class Binding : public QObject {
public:
    Binding(Library& library, QAction* action, Name name)
        : QObject(action), library_(&library), name_(std::move(name)) {
        setObjectName(QLatin1String(kBindingObjectName));
    }
    const Name& name() const { return name_; }
    // The shortcut now stored, read when the update runs.
    std::optional<Shortcut> current() const {
        return library_ ? library_->getShortcut(name_) : std::nullopt;
    }
    std::optional<QString> trigger() const {
        return library_ ? library_->boundTrigger(name_) : std::nullopt;
    }
    void update() const { show(static_cast<QAction*>(parent()), current(), trigger()); }

private:
    QPointer<Library> library_;
    Name name_;
};

// `trigger`: the keys the desktop bound instead, in its words (see Library::boundTrigger).
Binding* bindingOf(QAction* item) {
    // Not findChild: that wants a Q_OBJECT class, and a binding needs no meta-object.
    for (QObject* child : item->children()) {
        if (auto* binding = dynamic_cast<Binding*>(child)) {
            return binding;
        }
    }
    return nullptr;
}

}  // namespace

void setShortcut(Library& library, QAction* item, const Name& name) {
    setShortcutFor(library, item, name);
}

void setShortcutFor(Library& library, QAction* item, const std::optional<Name>& name) {
    if (item == nullptr) {
        return;
    }
    delete bindingOf(item);
    if (!name) {
        show(item, std::nullopt);
        return;
    }
    auto* binding = new Binding(library, item, *name);
    binding->update();
    QObject::connect(&library, &Library::shortcutByNameDidChange, binding,
                     [binding](const Name& changed) {
                         if (!(changed == binding->name())) {
                             return;
                         }
                         // Destroyed with the binding, so an unbound action hears nothing.
                         QMetaObject::invokeMethod(
                             binding, [binding] { binding->update(); }, Qt::QueuedConnection);
                     });
    QObject::connect(&library, &Library::boundTriggerChanged, binding,
                     [binding](const Shortcut& shortcut) {
                         if (binding->current() == shortcut) {
                             binding->update();
                         }
                     });
}

void setShortcut(QAction* item, const Name& name) {
    setShortcutFor(item, name);
}

void setShortcutFor(QAction* item, const std::optional<Name>& name) {
    if (Library* library = Library::current()) {
        setShortcutFor(*library, item, name);
    } else if (item != nullptr) {
        delete bindingOf(item);
        show(item, std::nullopt);
    }
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
