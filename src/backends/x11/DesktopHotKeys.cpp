#include "backends/x11/DesktopHotKeys.h"

#include "backends/x11/XkbKeyTranslation.h"
#include "common/KeyPositions.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

#include "common/CarbonModifierBits.h"

namespace hushpane::x11 {

namespace {

constexpr int kToolTimeoutMs = 1500;

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

std::optional<QString> run(const QString& program, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(program);
    if (path.isEmpty()) {
        return std::nullopt;
    }
    QProcess process;
    process.start(path, arguments, QIODevice::ReadOnly);
    if (!process.waitForFinished(kToolTimeoutMs)) {
        process.kill();
        process.waitForFinished(kToolTimeoutMs);
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromUtf8(process.readAllStandardOutput());
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

QStringList acceleratorsFromXfconf(const QString& output) {
    QStringList custom;
    QStringList defaults;
    static const QRegularExpression line(
        QStringLiteral(R"(^/(?:commands|xfwm4)/(custom|default)/(\S+)\s+(.*)$)"));
    for (const QString& text : output.split(u'\n')) {
        const QRegularExpressionMatch match = line.match(text.trimmed());
        if (!match.hasMatch()) {
            continue;
        }
        const QString accelerator = match.captured(2);
        if (accelerator == u"override" || match.captured(3).trimmed().isEmpty()) {
            continue;
        }
        (match.captured(1) == u"custom" ? custom : defaults).append(accelerator);
    }
    return custom.isEmpty() ? defaults : custom;
}

QStringList acceleratorsFromGsettings(const QString& output) {
    QStringList result;
    static const QRegularExpression quoted(QStringLiteral(R"('((?:[^'\\]|\\.)*)')"));
    for (const QString& text : output.split(u'\n')) {
        // "<schema> <key> <value>"
        const QStringList parts = text.trimmed().split(u' ', Qt::SkipEmptyParts);
        if (parts.size() < 3) {
            continue;
        }
        const QString value = text.section(u' ', 2).trimmed();
        if (!value.startsWith(u'[') && !value.startsWith(u'\'')) {
            continue;
        }
        auto it = quoted.globalMatch(value);
        while (it.hasNext()) {
            const QString accelerator = it.next().captured(1);
            if (!accelerator.isEmpty()) {
                result.append(accelerator);
            }
        }
    }
    return result;
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

QStringList readDesktopAccelerators() {
    QStringList accelerators;
    if (const auto xfconf = run(QStringLiteral("xfconf-query"),
                                {QStringLiteral("-c"), QStringLiteral("xfce4-keyboard-shortcuts"),
                                 QStringLiteral("-lv")})) {
        accelerators += acceleratorsFromXfconf(*xfconf);
    }
    for (const QString& schema : {QStringLiteral("org.gnome.desktop.wm.keybindings"),
                                  QStringLiteral("org.gnome.settings-daemon.plugins.media-keys")}) {
        if (const auto gsettings =
                run(QStringLiteral("gsettings"), {QStringLiteral("list-recursively"), schema})) {
            accelerators += acceleratorsFromGsettings(*gsettings);
        }
    }
    return accelerators;
}

}  // namespace hushpane::x11
