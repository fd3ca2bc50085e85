#pragma once

#include "platform/PreferenceDomain.h"

#include <QSet>

namespace hushpane {

// A preference domain kept in one property-list file.
//
// - Reading is lazy: the file is read on first use and again at each synchronize().
// - synchronize() takes an advisory lock on "<file>.lock", re-reads the file, lays this
//   object's pending changes over it and writes the result atomically (temporary file, fsync,
//   rename, fsync of the directory). A crash leaves either the old or the new file; the
//   temporary file of a writer that died is removed by the next write.
// - A file that cannot be parsed is renamed to "<file>.corrupt" (or "<file>.corrupt.N"),
//   logged, and read as empty: what was in it is never overwritten.
class PlistPreferenceDomain : public PreferenceDomain {
public:
    PlistPreferenceDomain(QString identifier, QString filePath);

    QString identifier() const override { return identifier_; }
    std::optional<QVariant> copyValue(const QString& key) override;
    void setValue(const QString& key, const std::optional<QVariant>& value) override;
    bool synchronize() override;
    QVariantMap snapshot() override;

    const QString& filePath() const { return filePath_; }
    // The reason the last synchronize() failed, for logs and tests.
    const QString& lastError() const { return lastError_; }

private:
    QVariantMap readFile();
    bool writeFile(const QVariantMap& values);
    void ensureLoaded();
    void removeStaleTemporaryFiles();

    QString identifier_;
    QString filePath_;
    QVariantMap values_;
    QSet<QString> pending_;  // keys changed here and not yet written
    bool loaded_ = false;
    QString lastError_;
};

}  // namespace hushpane
