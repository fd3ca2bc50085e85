#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

namespace hushpane::plist {

// Property-list values as QVariants: bool, qlonglong, double, QString, QByteArray,
// QDateTime (UTC), QVariantList, QVariantMap.

struct Decoded {
    std::optional<QVariantMap> root;  // set when the bytes held a dictionary
    QString error;                    // why not, otherwise
};

// Reads an XML or binary property list whose root is a dictionary.
Decoded decodeDictionary(const QByteArray& bytes);

// Writes an XML property list. Values of other types are left out.
QByteArray encodeDictionary(const QVariantMap& root);

// Deeper structures are refused when reading, so a hostile file cannot exhaust the stack.
inline constexpr int kMaxDepth = 64;

}  // namespace hushpane::plist
