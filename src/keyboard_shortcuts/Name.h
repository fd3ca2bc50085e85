#pragma once

#include "keyboard_shortcuts/Shortcut.h"

#include <QHashFunctions>
#include <QMetaType>
#include <QString>

#include <optional>

namespace KeyboardShortcuts {

// A named shortcut slot, stored under "KeyboardShortcuts_" + its raw value. Names are equal
// when their raw values are, whatever their defaults.
class Name {
public:
    // An empty name; it stores nothing and exists so names can travel in a QVariant.
    Name() = default;
    // Creating a name with a default stores, registers and announces the default when nothing
    // is stored under its key yet. Create names after the library is set up.
    explicit Name(QString rawValue, std::optional<Shortcut> defaultShortcut = std::nullopt);
    // A name without a default; writes nothing.
    static Name fromRawValue(QString rawValue);

    const QString& rawValue() const { return rawValue_; }
    const std::optional<Shortcut>& defaultShortcut() const { return defaultShortcut_; }
    QString userDefaultsKey() const;

    std::optional<Shortcut> shortcut() const;
    void setShortcut(const std::optional<Shortcut>& shortcut) const;

    friend bool operator==(const Name& a, const Name& b) { return a.rawValue_ == b.rawValue_; }

private:
    struct Plain {};
    Name(Plain, QString rawValue) : rawValue_(std::move(rawValue)) {}

    QString rawValue_;
    std::optional<Shortcut> defaultShortcut_;
};

inline constexpr auto kUserDefaultsKeyPrefix = "KeyboardShortcuts_";

inline size_t qHash(const Name& name, size_t seed = 0) {
    return ::qHash(name.rawValue(), seed);
}

}  // namespace KeyboardShortcuts

Q_DECLARE_METATYPE(KeyboardShortcuts::Name)
