#include "backends/plist/PreferenceFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hushpane {

namespace {

// As many links as the kernel follows in one path before it calls it a loop.
constexpr int kMaxLinkHops = 40;

QString errnoText(int error = errno) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray encoded(const QString& path) {
    return QFile::encodeName(path);
}

QString kindOf(mode_t mode) {
    if (S_ISDIR(mode)) {
        return QStringLiteral("a folder");
    }
    if (S_ISFIFO(mode)) {
        return QStringLiteral("a named pipe");
    }
    if (S_ISSOCK(mode)) {
        return QStringLiteral("a socket");
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return QStringLiteral("a device");
    }
    return QStringLiteral("not a regular file");
}

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

bool lexists(const QString& path) {
    struct stat st {};
    return ::lstat(encoded(path).constData(), &st) == 0;
}

}  // namespace

PreferenceFile::PreferenceFile(QString path) : path_(std::move(path)) {}

PreferenceFile::Target PreferenceFile::resolve() const {
    QString path = path_;
    for (int hop = 0;; ++hop) {
        struct stat st {};
        if (::lstat(encoded(path).constData(), &st) != 0) {
            if (errno == ENOENT || errno == ENOTDIR) {
                return {path, false, {}};
            }
            return {path, false, QStringLiteral("couldn't look at %1: %2").arg(path, errnoText())};
        }
        if (!S_ISLNK(st.st_mode)) {
            return {path, true, {}};
        }
        if (hop == kMaxLinkHops) {
            return {path, false,
                    QStringLiteral("%1 is a loop of symbolic links (or a chain of more than %2)")
                        .arg(path_)
                        .arg(kMaxLinkHops)};
        }
        QByteArray target(PATH_MAX, '\0');
        const ssize_t n = ::readlink(encoded(path).constData(), target.data(),
                                     static_cast<size_t>(target.size()));
        if (n < 0 || n >= target.size()) {
            return {path, false,
                    QStringLiteral("couldn't read the link %1: %2").arg(path, errnoText())};
        }
        target.truncate(n);
        const QString next = QFile::decodeName(target);
        // A relative link is relative to the folder the link is in.
        path = QDir::isAbsolutePath(next) ? next : QFileInfo(path).path() + u'/' + next;
    }
}

QString PreferenceFile::lockPath() const {
    const Target target = resolve();
    return (target.error.isEmpty() ? target.path : path_) + QStringLiteral(".lock");
}

PreferenceFile::Contents PreferenceFile::read() const {
    using State = Contents::State;
    const Target target = resolve();
    if (!target.error.isEmpty()) {
        return {State::Unreadable, {}, target.error};
    }
    if (!target.exists) {
        return {};
    }
    // Opened without blocking and checked on the open descriptor: a pipe without a writer
    // would hang the read, a device would never end it.
    const int fd = ::open(encoded(target.path).constData(),
                          O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) {
            return {};
        }
        return {State::Unreadable,
                {},
                QStringLiteral("couldn't open %1: %2").arg(target.path, errnoText())};
    }
    struct stat st {};
    Contents result{State::Read, {}, {}};
    if (::fstat(fd, &st) != 0) {
        result = {State::Unreadable,
                  {},
                  QStringLiteral("couldn't look at %1: %2").arg(target.path, errnoText())};
    } else if (!S_ISREG(st.st_mode)) {
        result = {
            State::Unreadable,
            {},
            QStringLiteral("%1 is %2, not a preference file").arg(target.path, kindOf(st.st_mode))};
    } else if (st.st_size > kMaxSize) {
        result = {State::TooLarge, {}, {}};
    } else {
        // The buffer grows up to one byte more than allowed, which tells a file that grew
        // past the limit since fstat().
        result.bytes.resize(static_cast<qsizetype>(st.st_size) + 1);
        qsizetype got = 0;
        while (true) {
            if (got == result.bytes.size()) {
                if (got > kMaxSize) {
                    break;
                }
                result.bytes.resize(std::min<qsizetype>(2 * got, kMaxSize + 1));
            }
            const ssize_t n = ::read(fd, result.bytes.data() + got,
                                     static_cast<size_t>(result.bytes.size() - got));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                result = {State::Unreadable,
                          {},
                          QStringLiteral("couldn't read %1: %2").arg(target.path, errnoText())};
                break;
            }
            if (n == 0) {
                break;
            }
            got += n;
        }
        if (result.state == State::Read) {
            result.bytes.truncate(got);
            if (got > kMaxSize) {
                result = {State::TooLarge, {}, {}};
            }
        }
    }
    ::close(fd);
    if (result.state == State::TooLarge) {
        result.error = QStringLiteral("it is larger than %1 MiB").arg(kMaxSize >> 20);
    }
    return result;
}

std::optional<QString> PreferenceFile::moveAside(QString& error) const {
    const Target target = resolve();
    if (!target.error.isEmpty()) {
        error = target.error;
        return std::nullopt;
    }
    QString aside = target.path + QStringLiteral(".corrupt");
    for (int n = 1; lexists(aside); ++n) {
        aside = target.path + QStringLiteral(".corrupt.%1").arg(n);
    }
    if (::rename(encoded(target.path).constData(), encoded(aside).constData()) != 0) {
        error = errnoText();
        return std::nullopt;
    }
    return aside;
}

bool PreferenceFile::replace(const QByteArray& bytes, QString& error) const {
    const Target target = resolve();
    if (!target.error.isEmpty()) {
        error = target.error;
        return false;
    }
    if (bytes.size() > kMaxSize) {
        // It would be set aside at the next read, and every setting with it.
        error = QStringLiteral("the settings would be larger than %1 MiB").arg(kMaxSize >> 20);
        return false;
    }
    const QString folder = QFileInfo(target.path).path();
    if (!target.exists && target.path != path_ && !QFileInfo(folder).isDir()) {
        error = QStringLiteral("the link %1 points to %2, whose folder doesn't exist")
                    .arg(path_, target.path);
        return false;
    }
    const QByteArray final = encoded(target.path);
    QByteArray temp = final + ".tmp-" + QByteArray::number(::getpid()) + "-XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) {
        error =
            QStringLiteral("couldn't create a temporary file in %1: %2").arg(folder, errnoText());
        return false;
    }
    // An existing file keeps its permissions; a new one is the user's only, as the temporary
    // file is.
    struct stat old {};
    bool ok = true;
    if (target.exists && ::stat(final.constData(), &old) == 0) {
        ok = ::fchmod(fd, old.st_mode & 07777) == 0;
    }
    ok = ok && writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (!ok) {
        error = QStringLiteral("couldn't write: ") + errnoText();
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = QStringLiteral("couldn't write: ") + errnoText();
    }
    if (ok && ::rename(temp.constData(), final.constData()) != 0) {
        ok = false;
        error = QStringLiteral("couldn't replace %1: %2").arg(target.path, errnoText());
    }
    if (!ok) {
        ::unlink(temp.constData());
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void PreferenceFile::removeStaleTemporaryFiles() const {
    // The process id in the name tells whether the writer is gone.
    const Target target = resolve();
    const QFileInfo info(target.path);
    const QString prefix = info.fileName() + QStringLiteral(".tmp-");
    // Compared by hand: a name filter would compile a regular expression at every write.
    const QStringList names = info.dir().entryList(QDir::Files | QDir::Hidden);
    for (const QString& name : names) {
        if (!name.startsWith(prefix)) {
            continue;
        }
        bool ok = false;
        const qint64 pid = name.mid(prefix.size()).section(u'-', 0, 0).toLongLong(&ok);
        if (ok && pid > 0 && pid != ::getpid() && ::kill(static_cast<pid_t>(pid), 0) != 0 &&
            errno == ESRCH) {
            QFile::remove(info.dir().filePath(name));
        }
    }
}

}  // namespace hushpane
