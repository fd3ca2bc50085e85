#include "backends/xfce/XfceKeyboardShortcuts.h"

namespace hushpane {

namespace {

// "/commands/custom/<Primary><Alt>Delete" -> "<Primary><Alt>Delete", when the property is a
// binding of the set `prefix`; its own settings ("…/startup-notify") are not.
std::optional<QString> acceleratorOf(const QString& property, const QString& prefix) {
    if (!property.startsWith(prefix)) {
        return std::nullopt;
    }
    const QString accelerator = property.mid(prefix.size());
    if (accelerator.isEmpty() || accelerator.contains(u'/') || accelerator == u"override") {
        return std::nullopt;
    }
    return accelerator;
}

}  // namespace

QString XfceKeyboardShortcuts::actionInWords(const QString& name) {
    QString words = name;
    if (words.endsWith(QLatin1String("_key"))) {
        words.chop(4);
    }
    words.replace(u'_', u' ');
    words = words.simplified();
    if (!words.isEmpty()) {
        words[0] = words[0].toUpper();
    }
    return words;
}

QList<DesktopAccelerator> XfceKeyboardShortcuts::accelerators() const {
    QList<DesktopAccelerator> result;
    for (const QString& part : {QStringLiteral("commands"), QStringLiteral("xfwm4")}) {
        const XfconfClient::Properties all =
            client_.properties(QString::fromLatin1(kChannel), u'/' + part);
        if (all.error) {
            continue;
        }
        QList<DesktopAccelerator> custom;
        QList<DesktopAccelerator> defaults;
        for (auto it = all.values.cbegin(); it != all.values.cend(); ++it) {
            const QString value = it.value().typeId() == QMetaType::QString
                                      ? it.value().toString().trimmed()
                                      : QString();
            if (value.isEmpty()) {
                continue;
            }
            const QString action = part == u"xfwm4" ? actionInWords(value) : value;
            if (const auto accelerator =
                    acceleratorOf(it.key(), u'/' + part + QStringLiteral("/custom/"))) {
                custom.append({*accelerator, action});
            } else if (const auto fallback =
                           acceleratorOf(it.key(), u'/' + part + QStringLiteral("/default/"))) {
                defaults.append({*fallback, action});
            }
        }
        result += custom.isEmpty() ? defaults : custom;
    }
    return result;
}

}  // namespace hushpane
