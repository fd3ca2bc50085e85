#include "backends/plist/PlistPreferenceDomain.h"

#include "backends/plist/AdvisoryLock.h"
#include "backends/plist/PlistCodec.h"
#include "common/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace hushpane {

namespace {

bool ensureDirectory(const QString& dir, QString& error) {
    if (QFileInfo(dir).isDir()) {
        return true;
    }
    // Created for this user only; parents that already exist keep their permissions.
    const QStringList parts = QDir::cleanPath(dir).split(u'/', Qt::SkipEmptyParts);
    QString path;
    for (const QString& part : parts) {
        path += u'/' + part;
        if (::mkdir(QFile::encodeName(path).constData(), 0700) != 0 && errno != EEXIST) {
            error = QStringLiteral("couldn't create %1: %2")
                        .arg(path, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    if (!QFileInfo(dir).isDir()) {
        error = QStringLiteral("%1 is not a folder").arg(dir);
        return false;
    }
    return true;
}

}  // namespace

PlistPreferenceDomain::PlistPreferenceDomain(QString identifier, QString filePath)
    : identifier_(std::move(identifier)), filePath_(std::move(filePath)), file_(filePath_) {}

void PlistPreferenceDomain::ensureLoaded() {
    if (!loaded_) {
        QString error;
        values_ = readFile(error).value_or(QVariantMap());
        loaded_ = true;
    }
}

std::optional<QVariant> PlistPreferenceDomain::copyValue(const QString& key) {
    ensureLoaded();
    const auto it = values_.constFind(key);
    if (it == values_.cend()) {
        return std::nullopt;
    }
    return *it;
}

void PlistPreferenceDomain::setValue(const QString& key, const std::optional<QVariant>& value) {
    ensureLoaded();
    if (value) {
        values_.insert(key, *value);
    } else {
        values_.remove(key);
    }
    pending_.insert(key);
}

QVariantMap PlistPreferenceDomain::snapshot() {
    ensureLoaded();
    return values_;
}

bool PlistPreferenceDomain::fail(const QString& error) {
    lastError_ = error;
    qCWarning(lcPreferences).noquote()
        << QStringLiteral("Couldn't save %1: %2").arg(identifier_, lastError_);
    return false;
}

bool PlistPreferenceDomain::synchronize() {
    QString error;
    if (!ensureDirectory(QFileInfo(filePath_).absolutePath(), error)) {
        return fail(error);
    }
    AdvisoryLock lock(file_.lockPath(), kLockTimeoutMs);
    if (!lock.acquired()) {
        return fail(QStringLiteral("another process has kept %1 locked for over %2 s")
                        .arg(file_.lockPath())
                        .arg(kLockTimeoutMs / 1000));
    }

    file_.removeStaleTemporaryFiles();
    const std::optional<QVariantMap> onDisk = readFile(error);
    if (!onDisk) {
        // The pending changes stay for a later call, once the file can be read again.
        return fail(error);
    }
    QVariantMap merged = *onDisk;
    for (const QString& key : std::as_const(pending_)) {
        const auto it = values_.constFind(key);
        if (it == values_.cend()) {
            merged.remove(key);
        } else {
            merged.insert(key, *it);
        }
    }
    if (!pending_.isEmpty()) {
        const plist::Encoded encoded = plist::encodeDictionary(merged);
        if (!encoded.bytes) {
            return fail(encoded.error);
        }
        if (!file_.replace(*encoded.bytes, error)) {
            // Keep the pending set so the next call tries again; `merged` already holds our
            // values over what is on disk.
            values_ = merged;
            loaded_ = true;
            return fail(error);
        }
        pending_.clear();
    }
    values_ = merged;
    loaded_ = true;
    lastError_.clear();
    return true;
}

std::optional<QVariantMap> PlistPreferenceDomain::readFile(QString& error) {
    using State = PreferenceFile::Contents::State;
    const PreferenceFile::Contents contents = file_.read();
    QString reason = contents.error;
    switch (contents.state) {
        case State::Absent:
            return QVariantMap();
        case State::Unreadable:
            error = QStringLiteral(
                        "%1 exists but can't be read (%2); it is left as it is and "
                        "nothing is saved to it until it can be read")
                        .arg(filePath_, reason);
            qCWarning(lcPreferences).noquote() << error;
            return std::nullopt;
        case State::Read: {
            const plist::Decoded decoded = plist::decodeDictionary(contents.bytes);
            if (decoded.root) {
                return *decoded.root;
            }
            reason = decoded.error;
            break;
        }
        case State::TooLarge:
            break;
    }

    // Keep the unusable file for the user instead of writing over it.
    QString moveError;
    if (const auto aside = file_.moveAside(moveError)) {
        qCWarning(lcPreferences).noquote()
            << QStringLiteral("Preference file %1 is unreadable (%2); moved it to %3")
                   .arg(filePath_, reason, *aside);
        return QVariantMap();
    }
    error = QStringLiteral(
                "%1 is unreadable (%2) and couldn't be moved aside (%3); nothing is "
                "saved to it until it is")
                .arg(filePath_, reason, moveError);
    qCWarning(lcPreferences).noquote() << error;
    return std::nullopt;
}

}  // namespace hushpane
