#include "backends/plist/AdvisoryLock.h"

#include <QFile>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace hushpane {

namespace {

// A blocking flock() on a helper thread. Polling with LOCK_NB instead would starve behind a
// busy writer; the kernel's own wait does not. When the caller stops waiting, the descriptor
// stays with the thread, which lets the lock go the moment it gets it.
struct Waiter {
    std::mutex mutex;
    std::condition_variable finished;
    int fd = -1;
    bool done = false;
    bool abandoned = false;
};

}  // namespace

AdvisoryLock::AdvisoryLock(const QString& path, int timeoutMs) {
    fd_ = ::open(QFile::encodeName(path).constData(),
                 O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
    if (fd_ < 0 || ::flock(fd_, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) {
        return;  // locked, or no lock to be had here (the caller goes on unlocked)
    }
    auto waiter = std::make_shared<Waiter>();
    waiter->fd = fd_;
    std::thread([waiter] {
        while (::flock(waiter->fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        const std::lock_guard<std::mutex> guard(waiter->mutex);
        if (waiter->abandoned) {
            ::close(waiter->fd);
            return;
        }
        waiter->done = true;
        waiter->finished.notify_one();
    }).detach();
    std::unique_lock<std::mutex> guard(waiter->mutex);
    if (!waiter->finished.wait_for(guard, std::chrono::milliseconds(timeoutMs),
                                   [&] { return waiter->done; })) {
        waiter->abandoned = true;
        fd_ = -1;
        acquired_ = false;
    }
}

AdvisoryLock::~AdvisoryLock() {
    if (fd_ >= 0) {
        ::close(fd_);  // releases the lock
    }
}

}  // namespace hushpane
