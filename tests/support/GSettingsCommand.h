#pragma once

#include <QString>

#include <optional>

namespace hushpane::test {

class PrivateSession;

// `gsettings get SCHEMA KEY` in the session: its output, nothing when it failed; `set`: nothing
// on success, else the error.
std::optional<QString> gsettingsGet(const PrivateSession& session, const QString& schema,
                                    const QString& key);
std::optional<QString> gsettingsSet(const PrivateSession& session, const QString& schema,
                                    const QString& key, const QString& value);

}  // namespace hushpane::test
