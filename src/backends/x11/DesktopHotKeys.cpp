#include "backends/x11/DesktopHotKeys.h"

#include "backends/x11/XkbKeyTranslation.h"
#include "common/KeyPositions.h"

#include "common/CarbonModifierBits.h"

namespace hushpane::x11 {

namespace {

std::optional<qint64> modifierNamed(const QString& name) {
    const QString n = name.toLower();
    if (n == u"primary" || n == u"control" || n == u"ctrl" || n == u"ctl") {
        return carbon::control;
    }
    if (n == u"alt" || n == u"mod1") {
        return carbon::option;
    }
    if (n == u"super" || n == u"mod4") {
        return carbon::command;
    }
    if (n == u"shift") {
        return carbon::shift;
    }
    return std::nullopt;
}

}  // namespace

std::optional<Accelerator> parseAccelerator(const QString& text) {
    QString rest = text.trimmed();
    qint64 modifiers = 0;
    while (rest.startsWith(u'<')) {
        const qsizetype end = rest.indexOf(u'>');
        if (end < 0) {
            return std::nullopt;
        }
        const auto modifier = modifierNamed(rest.mid(1, end - 1));
        if (!modifier) {
            return std::nullopt;
        }
        modifiers |= *modifier;
        rest = rest.mid(end + 1);
    }
    if (rest.isEmpty() || rest.contains(u' ') || rest.contains(u'<') || rest.contains(u'/')) {
        return std::nullopt;
    }
    const QByteArray name = rest.toUtf8();
    xkb_keysym_t keysym = xkb_keysym_from_name(name.constData(), XKB_KEYSYM_NO_FLAGS);
    if (keysym == XKB_KEY_NoSymbol) {
        keysym = xkb_keysym_from_name(name.constData(), XKB_KEYSYM_CASE_INSENSITIVE);
    }
    if (keysym == XKB_KEY_NoSymbol) {
        return std::nullopt;
    }
    return Accelerator{keysym, modifiers};
}

std::optional<std::pair<CarbonKeyCode, qint64>> keysOfAccelerator(const QString& text,
                                                                  xkb_keymap* keymap) {
    const auto accelerator = parseAccelerator(text);
    if (!accelerator || keymap == nullptr) {
        return std::nullopt;
    }
    const xkb_layout_index_t layout = firstAsciiCapableLayout(keymap).value_or(0);
    auto position = positionOfKeysym(keymap, layout, accelerator->keysym);
    if (!position && layout != 0) {
        position = positionOfKeysym(keymap, 0, accelerator->keysym);
    }
    if (!position) {
        return std::nullopt;
    }
    const auto carbon = carbonKeyCodeForXKeycode(static_cast<int>(position->keycode));
    if (!carbon) {
        return std::nullopt;
    }
    qint64 modifiers = accelerator->carbonModifiers;
    if (position->level == 1) {
        modifiers |= carbon::shift;
    }
    return std::pair{*carbon, modifiers};
}

QList<SymbolicHotKey> symbolicHotKeys(const QStringList& accelerators, xkb_keymap* keymap) {
    QList<SymbolicHotKey> result;
    for (const QString& text : accelerators) {
        if (const auto keys = keysOfAccelerator(text, keymap)) {
            result.append(SymbolicHotKey{true, keys->first, keys->second});
        }
    }
    return result;
}

std::optional<QString> actionOnKeys(const QList<DesktopAccelerator>& keybindings,
                                    xkb_keymap* keymap, CarbonKeyCode keyCode, qint64 modifiers) {
    for (const DesktopAccelerator& keybinding : keybindings) {
        const auto keys = keysOfAccelerator(keybinding.accelerator, keymap);
        if (keys && keys->first == keyCode && keys->second == modifiers &&
            !keybinding.action.isEmpty()) {
            return keybinding.action;
        }
    }
    return std::nullopt;
}

}  // namespace hushpane::x11
