#include "support/StdoutCapture.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>

namespace hushpane::test {

StdoutCapture::StdoutCapture()
    : path_(QDir::temp().filePath(QStringLiteral("stdout-") +
                                  QUuid::createUuid().toString(QUuid::WithoutBraces))) {
    std::fflush(stdout);
    savedFd_ = ::dup(STDOUT_FILENO);
    const int fd = ::open(QFile::encodeName(path_).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd >= 0) {
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
}

StdoutCapture::~StdoutCapture() {
    std::fflush(stdout);
    if (savedFd_ >= 0) {
        ::dup2(savedFd_, STDOUT_FILENO);
        ::close(savedFd_);
    }
    QFile::remove(path_);
}

QString StdoutCapture::text() const {
    std::fflush(stdout);
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(file.readAll());
}

}  // namespace hushpane::test
