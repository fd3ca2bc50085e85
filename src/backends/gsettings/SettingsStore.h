#pragma once

#include <QString>
#include <QVariant>

#include <functional>
#include <optional>

namespace hushpane {

// A desktop's typed settings (GSettings schemas): values are read and written by schema id and
// key. Booleans, integers, doubles and strings map to the QVariant types of the same kind; an
// enumeration reads and writes as its nick (a string).
class SettingsStore {
public:
    struct Value {
        std::optional<QVariant> value;  // nothing when it could not be read
        std::optional<QString> error;   // why it could not be read
    };

    virtual ~SettingsStore() = default;

    // True when the schema is installed (the desktop's settings exist on this system).
    virtual bool hasSchema(const QString& schema) const = 0;

    virtual Value value(const QString& schema, const QString& key) const = 0;

    // Nothing on success, else the reason (missing schema or key, a value the key does not
    // take). The value is handed to the settings daemon before this returns.
    virtual std::optional<QString> setValue(const QString& schema, const QString& key,
                                            const QVariant& value) = 0;

    // Runs `handler` on the main thread whenever the key's value changes, whoever changed it;
    // an empty handler stops watching. A key that does not exist is never watched.
    virtual void watch(const QString& schema, const QString& key,
                       std::function<void()> handler) = 0;
};

}  // namespace hushpane
