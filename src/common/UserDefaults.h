#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <QVariantMap>

#include <optional>

namespace hushpane {

class PreferenceDomain;

// The application's own defaults domain with the typed accessors the program uses. Every
// write is persisted at once (and merged with changes made by other processes); reads come
// from the domain's cache.
//
// The typed getters follow the usual defaults conventions: a missing or mistyped value reads
// as false / 0 / nothing, never as an error, and never changes what is stored.
class UserDefaults : public QObject {
    Q_OBJECT
public:
    explicit UserDefaults(PreferenceDomain& domain, QObject* parent = nullptr);

    std::optional<QVariant> objectForKey(const QString& key) const;
    void setObject(const QString& key, const std::optional<QVariant>& value);
    void removeObjectForKey(const QString& key);
    QVariantMap dictionaryRepresentation() const;

    // bool: the boolean itself; numbers: non-zero; strings: "yes"/"true" (any case) or a
    // non-zero number. Everything else is false.
    bool boolForKey(const QString& key) const;
    // Numbers as they are (reals truncated), booleans as 0/1, numeric strings parsed; else 0.
    qint64 integerForKey(const QString& key) const;
    // Strings as they are, numbers as their decimal text; else nothing.
    std::optional<QString> stringForKey(const QString& key) const;
    std::optional<QByteArray> dataForKey(const QString& key) const;
    std::optional<QVariantMap> dictionaryForKey(const QString& key) const;
    std::optional<QVariantList> arrayForKey(const QString& key) const;

    void setBool(const QString& key, bool value);
    void setInteger(const QString& key, qint64 value);
    void setString(const QString& key, const QString& value);

    // False when the last write could not be persisted.
    bool lastWriteSucceeded() const { return lastWriteSucceeded_; }
    // Why it could not, for the user; empty after a write that succeeded.
    const QString& lastWriteError() const { return lastWriteError_; }

Q_SIGNALS:
    // After a write through this object, for the key that was written.
    void valueChanged(const QString& key);

private:
    PreferenceDomain& domain_;
    bool lastWriteSucceeded_ = true;
    QString lastWriteError_;
};

}  // namespace hushpane
