#include "services/WallpaperPicture.h"

#include <QFile>
#include <QImageReader>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace hushpane {

std::unique_ptr<QFile> WallpaperPicture::open(const QString& path, QString* error) {
    const auto fail = [error](const QString& why) {
        if (error) {
            *error = why;
        }
        return std::unique_ptr<QFile>();
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return fail(QStringLiteral("not a regular file"));
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fail(file->errorString());
    }
    return file;
}

std::optional<QString> WallpaperPicture::problemWith(const QString& path) {
    QString why;
    const std::unique_ptr<QFile> file = open(path, &why);
    if (!file) {
        return QStringLiteral("The custom wallpaper at %1 isn't a picture Hushpane can read (%2).")
            .arg(path, why);
    }
    QImageReader reader(file.get());
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead()) {
        return QStringLiteral("The custom wallpaper at %1 isn't a picture Hushpane can read (%2).")
            .arg(path, reader.errorString());
    }
    const QSize size = reader.size();
    if (!size.isValid() && reader.supportsOption(QImageIOHandler::Size)) {
        // The format tells its size in the header, so this header is broken.
        return QStringLiteral(
                   "The custom wallpaper at %1 isn't a picture Hushpane can read (its "
                   "header is damaged).")
            .arg(path);
    }
    if (size.isValid() && qint64{size.width()} * size.height() > kMaxPixels) {
        return QStringLiteral(
                   "The custom wallpaper at %1 is %2 × %3 pixels, more than 100 megapixels; "
                   "choose a smaller picture.")
            .arg(path)
            .arg(size.width())
            .arg(size.height());
    }
    return std::nullopt;
}

}  // namespace hushpane
