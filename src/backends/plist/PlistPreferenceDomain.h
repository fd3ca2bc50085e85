#pragma once

#include "backends/plist/PreferenceFile.h"
#include "platform/PreferenceDomain.h"

#include <QSet>

namespace hushpane {

// A preference domain kept in one property-list file.
//
// - Reading is lazy: the file is read on first use and again at each synchronize().
// - synchronize() takes an advisory lock on "<file>.lock", re-reads the file, lays this
//   object's pending changes over it and writes the result atomically (temporary file, fsync,
//   rename, fsync of the folder). A crash leaves either the old or the new file; the
//   temporary file of a writer that died is removed by the next write.
// - A file whose contents cannot be used (not a property list, nested too deeply, too large,
//   holding values that would not be written back unchanged) is renamed to "<file>.corrupt"
//   (or "<file>.corrupt.N"), logged, and read as empty.
// - A file that exists but cannot be read at all (no permission, a folder or a pipe in its
//   place, a read error) is left where it is and read as empty, and every synchronize() fails
//   until it can be read again: what is in it is never overwritten.
class PlistPreferenceDomain : public PreferenceDomain {
public:
    PlistPreferenceDomain(QString identifier, QString filePath);

    QString identifier() const override { return identifier_; }
    std::optional<QVariant> copyValue(const QString& key) override;
    void setValue(const QString& key, const std::optional<QVariant>& value) override;
    bool synchronize() override;
    QVariantMap snapshot() override;
    QString lastError() const override { return lastError_; }

    const QString& filePath() const { return filePath_; }

    // How long synchronize() waits for another process's lock before it gives up.
    static constexpr int kLockTimeoutMs = 2000;

private:
    // What is on disk; nothing with `error` set when the file is there but cannot be read.
    std::optional<QVariantMap> readFile(QString& error);
    void ensureLoaded();
    bool fail(const QString& error);

    QString identifier_;
    QString filePath_;
    PreferenceFile file_;
    QVariantMap values_;
    QSet<QString> pending_;  // keys changed here and not yet written
    bool loaded_ = false;
    QString lastError_;
};

}  // namespace hushpane
