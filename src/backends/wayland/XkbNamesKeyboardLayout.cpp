#include "backends/wayland/XkbNamesKeyboardLayout.h"

#include "backends/x11/XkbKeyTranslation.h"
#include "common/KeyPositions.h"

#include <QFile>
#include <QRegularExpression>

namespace hushpane::wayland {

XkbNamesKeyboardLayout::XkbNamesKeyboardLayout(const Names& names) {
    context_ = xkb_context_new(XKB_CONTEXT_NO_ENVIRONMENT_NAMES);
    if (context_ == nullptr) {
        return;
    }
    const QByteArray rules = names.rules.toUtf8();
    const QByteArray model = names.model.toUtf8();
    const QByteArray layout = names.layout.toUtf8();
    const QByteArray variant = names.variant.toUtf8();
    const QByteArray options = names.options.toUtf8();
    // Empty names take xkbcommon's defaults.
    const auto orNull = [](const QByteArray& text) {
        return text.isEmpty() ? nullptr : text.constData();
    };
    const xkb_rule_names ruleNames{orNull(rules), orNull(model), orNull(layout), orNull(variant),
                                   orNull(options)};
    keymap_ = xkb_keymap_new_from_names(context_, &ruleNames, XKB_KEYMAP_COMPILE_NO_FLAGS);
}

XkbNamesKeyboardLayout::~XkbNamesKeyboardLayout() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

XkbNamesKeyboardLayout::Names XkbNamesKeyboardLayout::namesFromSystem(
    const QString& configurationFile) {
    Names names;
    QFile file(configurationFile);
    if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        static const QRegularExpression assignment(
            QStringLiteral(R"re(^\s*(XKB\w+)\s*=\s*"?([^"\n]*)"?\s*$)re"));
        for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
            const QRegularExpressionMatch match = assignment.match(line);
            if (!match.hasMatch()) {
                continue;
            }
            const QString key = match.captured(1);
            const QString value = match.captured(2).trimmed();
            if (key == QLatin1String("XKBMODEL")) {
                names.model = value;
            } else if (key == QLatin1String("XKBLAYOUT")) {
                names.layout = value;
            } else if (key == QLatin1String("XKBVARIANT")) {
                names.variant = value;
            } else if (key == QLatin1String("XKBOPTIONS")) {
                names.options = value;
            }
        }
    }
    // The environment wins, as it does for xkbcommon itself.
    const auto fromEnvironment = [](const char* variable, QString& name) {
        if (!qEnvironmentVariableIsEmpty(variable)) {
            name = qEnvironmentVariable(variable);
        }
    };
    fromEnvironment("XKB_DEFAULT_RULES", names.rules);
    fromEnvironment("XKB_DEFAULT_MODEL", names.model);
    fromEnvironment("XKB_DEFAULT_LAYOUT", names.layout);
    fromEnvironment("XKB_DEFAULT_VARIANT", names.variant);
    fromEnvironment("XKB_DEFAULT_OPTIONS", names.options);
    return names;
}

std::optional<QString> XkbNamesKeyboardLayout::characterForKey(qint64 carbonKeyCode) {
    const auto keycode = xKeycodeForCarbonKeyCode(carbonKeyCode);
    if (!keycode || keymap_ == nullptr) {
        return std::nullopt;
    }
    return x11::characterForKeycode(keymap_, 0, static_cast<xkb_keycode_t>(*keycode));
}

}  // namespace hushpane::wayland
