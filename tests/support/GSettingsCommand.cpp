#include "support/GSettingsCommand.h"

#include "support/PrivateSession.h"

#include <QStringList>

namespace hushpane::test {

std::optional<QString> gsettingsGet(const PrivateSession& session, const QString& schema,
                                    const QString& key) {
    return session.run(QStringLiteral("gsettings"), {QStringLiteral("get"), schema, key});
}

std::optional<QString> gsettingsSet(const PrivateSession& session, const QString& schema,
                                    const QString& key, const QString& value) {
    if (!session.run(QStringLiteral("gsettings"), {QStringLiteral("set"), schema, key, value})) {
        return QStringLiteral("gsettings could not set %1 %2").arg(schema, key);
    }
    return std::nullopt;
}

}  // namespace hushpane::test
