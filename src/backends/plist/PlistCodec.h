#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace hushpane::plist {

// Property-list values as QVariants: bool, qlonglong, double, QString, QByteArray,
// QDateTime (UTC, whole seconds), QVariantList, QVariantMap.

struct Decoded {
    std::optional<QVariantMap> root;  // set when the bytes held a dictionary
    QString error;                    // why not, otherwise
};

// Reads an XML or binary property list whose root is a dictionary. A file is only accepted
// when everything in it would be written back unchanged; what cannot be (text with a NUL,
// out-of-range numbers or dates, unknown kinds of value) makes the whole file unreadable
// rather than being dropped or altered on the next write.
Decoded decodeDictionary(const QByteArray& bytes);

struct Encoded {
    std::optional<QByteArray> bytes;  // an XML property list
    QString error;                    // why the values cannot be written, otherwise
};

// Writes an XML property list, or refuses when a value has no property-list form.
Encoded encodeDictionary(const QVariantMap& root);

// Deeper structures are refused when reading, so a hostile file cannot exhaust the stack.
inline constexpr int kMaxDepth = 64;
// Values a file may hold in all, so that shared objects cannot multiply the work of a read.
inline constexpr int kMaxValues = 250000;

}  // namespace hushpane::plist
