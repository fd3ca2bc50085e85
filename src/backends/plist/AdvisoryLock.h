#pragma once

#include <QString>

namespace hushpane {

// flock() on a side file, held for as long as the object lives. Advisory: it orders our own
// processes; other writers are still merged by re-reading. Waiting is bounded, so a writer
// that hangs while holding the lock cannot hang every other one.
class AdvisoryLock {
public:
    AdvisoryLock(const QString& path, int timeoutMs);
    ~AdvisoryLock();
    AdvisoryLock(const AdvisoryLock&) = delete;
    AdvisoryLock& operator=(const AdvisoryLock&) = delete;

    // False only when another process kept the lock past the timeout. A lock file that
    // cannot be created (a read-only folder) leaves the caller unlocked: the write that
    // follows fails there anyway, with its own reason.
    bool acquired() const { return acquired_; }

private:
    int fd_ = -1;
    bool acquired_ = true;
};

}  // namespace hushpane
