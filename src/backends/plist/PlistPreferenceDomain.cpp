#include "backends/plist/PlistPreferenceDomain.h"

#include "backends/plist/PlistCodec.h"
#include "common/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hushpane {

namespace {

QString errnoText() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Holds flock() on a side file for as long as it lives. Advisory: it orders our own
// processes; other writers are still merged by re-reading.
class FileLock {
public:
    explicit FileLock(const QString& path) {
        fd_ = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~FileLock() {
        if (fd_ >= 0) {
            ::close(fd_);  // releases the lock
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int fd_ = -1;
};

bool writeAll(int fd, const QByteArray& bytes) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

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
            error = QStringLiteral("couldn't create %1: %2").arg(path, errnoText());
            return false;
        }
    }
    return true;
}

}  // namespace

PlistPreferenceDomain::PlistPreferenceDomain(QString identifier, QString filePath)
    : identifier_(std::move(identifier)), filePath_(std::move(filePath)) {}

void PlistPreferenceDomain::ensureLoaded() {
    if (!loaded_) {
        values_ = readFile();
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

bool PlistPreferenceDomain::synchronize() {
    const QString dir = QFileInfo(filePath_).absolutePath();
    if (!ensureDirectory(dir, lastError_)) {
        qCWarning(lcPreferences).noquote() << "Couldn't save" << identifier_ << ":" << lastError_;
        return false;
    }
    FileLock lock(filePath_ + QStringLiteral(".lock"));

    removeStaleTemporaryFiles();
    QVariantMap merged = readFile();
    for (const QString& key : std::as_const(pending_)) {
        const auto it = values_.constFind(key);
        if (it == values_.cend()) {
            merged.remove(key);
        } else {
            merged.insert(key, *it);
        }
    }
    if (!pending_.isEmpty()) {
        if (!writeFile(merged)) {
            qCWarning(lcPreferences).noquote()
                << "Couldn't save" << identifier_ << ":" << lastError_;
            // Keep the pending set so the next call tries again; `merged` already holds our
            // values over what is on disk.
            values_ = merged;
            loaded_ = true;
            return false;
        }
        pending_.clear();
    }
    values_ = merged;
    loaded_ = true;
    lastError_.clear();
    return true;
}

QVariantMap PlistPreferenceDomain::readFile() {
    QFile file(filePath_);
    if (!file.exists()) {
        return {};
    }
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcPreferences).noquote()
            << "Couldn't read" << filePath_ << ":" << file.errorString();
        return {};
    }
    const QByteArray bytes = file.readAll();
    file.close();
    const plist::Decoded decoded = plist::decodeDictionary(bytes);
    if (decoded.root) {
        return *decoded.root;
    }

    // Keep the unreadable file for the user instead of writing over it.
    QString aside = filePath_ + QStringLiteral(".corrupt");
    for (int n = 1; QFileInfo::exists(aside); ++n) {
        aside = filePath_ + QStringLiteral(".corrupt.%1").arg(n);
    }
    if (::rename(QFile::encodeName(filePath_).constData(), QFile::encodeName(aside).constData()) ==
        0) {
        qCWarning(lcPreferences).noquote() << "Preference file" << filePath_ << "is unreadable ("
                                           << decoded.error << "); moved it to" << aside;
    } else {
        qCWarning(lcPreferences).noquote()
            << "Preference file" << filePath_ << "is unreadable (" << decoded.error
            << ") and couldn't be moved aside:" << errnoText();
    }
    return {};
}

void PlistPreferenceDomain::removeStaleTemporaryFiles() {
    // A writer that died between creating its temporary file and renaming it leaves the file
    // behind; the process id in the name tells whether its writer is gone.
    const QFileInfo info(filePath_);
    const QString prefix = info.fileName() + QStringLiteral(".tmp-");
    const QStringList names = info.dir().entryList({prefix + u'*'}, QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        bool ok = false;
        const qint64 pid = name.mid(prefix.size()).section(u'-', 0, 0).toLongLong(&ok);
        if (ok && pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
            errno == ESRCH) {
            QFile::remove(info.dir().filePath(name));
        }
    }
}

bool PlistPreferenceDomain::writeFile(const QVariantMap& values) {
    const QByteArray bytes = plist::encodeDictionary(values);
    const QByteArray target = QFile::encodeName(filePath_);
    QByteArray temp = target + ".tmp-" + QByteArray::number(::getpid()) + "-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        lastError_ = QStringLiteral("couldn't create a temporary file: ") + errnoText();
        return false;
    }
    bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) {
        lastError_ = QStringLiteral("couldn't write: ") + errnoText();
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        lastError_ = QStringLiteral("couldn't write: ") + errnoText();
    }
    if (ok && ::rename(temp.constData(), target.constData()) != 0) {
        ok = false;
        lastError_ = QStringLiteral("couldn't replace the file: ") + errnoText();
    }
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(QFile::encodeName(QFileInfo(filePath_).absolutePath()).constData(),
                             O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

}  // namespace hushpane
