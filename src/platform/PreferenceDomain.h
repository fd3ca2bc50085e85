#pragma once

#include <QString>
#include <QVariant>
#include <QVariantMap>

#include <optional>

namespace hushpane {

// The preferences of one application domain, as another program would see them: values are
// property-list typed QVariants (bool, qlonglong, double, QString, QByteArray, QDateTime,
// QVariantList, QVariantMap). A bool is always a QMetaType::Bool, never a number.
//
// Writes are cached until synchronize(), which merges them with what is on disk at that
// moment, so keys that another process wrote in the meantime survive.
class PreferenceDomain {
public:
    virtual ~PreferenceDomain() = default;

    virtual QString identifier() const = 0;

    // The stored value, or nothing when the key is absent.
    virtual std::optional<QVariant> copyValue(const QString& key) = 0;

    // Stores a value; nothing removes the key.
    virtual void setValue(const QString& key, const std::optional<QVariant>& value) = 0;

    // Writes pending changes and re-reads the domain. False when the write failed (or was
    // refused, as for a file that exists but cannot be read); the pending changes are then
    // kept for the next call, and lastError() says why.
    virtual bool synchronize() = 0;

    // Why the last synchronize() failed, as a sentence for the user; empty after a success.
    virtual QString lastError() const = 0;

    // Every key and value currently known.
    virtual QVariantMap snapshot() = 0;
};

}  // namespace hushpane
