#pragma once

#include "backends/gsettings/SettingsStore.h"
#include "backends/linux/DesktopProgram.h"

#include <QHash>
#include <QStringList>

namespace hushpane::test {

// Settings in a map, keyed "schema key". A key that is not in the map does not exist; a value
// of any type can be planted to play a database with a stray type in it. Writes are counted.
class InMemorySettingsStore : public SettingsStore {
public:
    void plant(const QString& schema, const QString& key, const QVariant& value) {
        values.insert(schema + QLatin1Char(' ') + key, value);
    }
    QVariant get(const QString& schema, const QString& key) const {
        return values.value(schema + QLatin1Char(' ') + key);
    }

    bool hasSchema(const QString& schema) const override {
        for (auto it = values.cbegin(); it != values.cend(); ++it) {
            if (it.key().startsWith(schema + QLatin1Char(' '))) {
                return true;
            }
        }
        return false;
    }
    Value value(const QString& schema, const QString& key) const override {
        const auto found = values.constFind(schema + QLatin1Char(' ') + key);
        if (found == values.cend()) {
            return {std::nullopt, QStringLiteral("%1 has no key %2").arg(schema, key)};
        }
        return {*found, std::nullopt};
    }
    std::optional<QString> setValue(const QString& schema, const QString& key,
                                    const QVariant& value) override {
        if (refuseWrites) {
            return QStringLiteral("%1 %2 is not writable").arg(schema, key);
        }
        const QString name = schema + QLatin1Char(' ') + key;
        if (!values.contains(name)) {
            return QStringLiteral("%1 has no key %2").arg(schema, key);
        }
        values.insert(name, value);
        writes.append(name + QLatin1Char('=') + value.toString());
        if (const auto handler = watchers.value(name)) {
            handler();
        }
        return std::nullopt;
    }
    void watch(const QString& schema, const QString& key, std::function<void()> handler) override {
        watchers.insert(schema + QLatin1Char(' ') + key, std::move(handler));
    }

    QHash<QString, QVariant> values;
    QStringList writes;
    QHash<QString, std::function<void()>> watchers;
    bool refuseWrites = false;
};

// A desktop program whose state the test sets; launching makes it answer unless told not to.
class ScriptedDesktopProgram : public DesktopProgram {
public:
    State state() override { return current; }
    std::optional<QString> launch() override {
        ++launches;
        if (launchFails) {
            return QStringLiteral("caja could not be started");
        }
        current = State::answering;
        return std::nullopt;
    }
    QString name() const override { return programName; }
    int timeoutMs() const override { return 2000; }
    // A program on its way out leaves when waited for.
    bool leavesWithin(int) override {
        if (leaving) {
            current = State::notRunning;
        }
        return leaving;
    }

    State current = State::answering;
    QString programName = QStringLiteral("caja");
    bool launchFails = false;
    bool leaving = false;
    int launches = 0;
};

}  // namespace hushpane::test
