#include "backends/plist/PreferencesDirectory.h"

#include <QDir>

namespace hushpane::plist {

QString preferencesDirectory() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base)) {
        base = QDir::homePath() + QStringLiteral("/.config");
    }
    return base + QStringLiteral("/hushpane/Preferences");
}

QString preferencesFile(const QString& domain) {
    return preferencesDirectory() + u'/' + domain + QStringLiteral(".plist");
}

}  // namespace hushpane::plist
