#include "backends/posix/PosixProcessLauncher.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace hushpane {

ProcessLauncher::Launch PosixProcessLauncher::launch(const QString& executable,
                                                     const QStringList& arguments) {
    const QByteArray path = QFile::encodeName(executable);
    std::vector<QByteArray> storage;
    storage.reserve(static_cast<size_t>(arguments.size()) + 1);
    storage.push_back(path);
    for (const QString& a : arguments) {
        storage.push_back(a.toLocal8Bit());
    }
    std::vector<char*> argv;
    argv.reserve(storage.size() + 1);
    for (QByteArray& s : storage) {
        argv.push_back(s.data());
    }
    argv.push_back(nullptr);

    // glibc's posix_spawn reports exec failures itself, but not every libc does (nor does it
    // under a debugger's emulation); a child that only exits with 127 would read as a launch
    // that worked.
    if (::access(path.constData(), X_OK) != 0) {
        return {std::nullopt, QString::fromLocal8Bit(std::strerror(errno))};
    }
    pid_t pid = 0;
    const int rc = ::posix_spawn(&pid, path.constData(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0) {
        return {std::nullopt, QString::fromLocal8Bit(std::strerror(rc))};
    }
    return {static_cast<ProcessId>(pid), {}};
}

int PosixProcessLauncher::waitUntilExit(ProcessId process) {
    int status = 0;
    pid_t rc = 0;
    do {
        rc = ::waitpid(static_cast<pid_t>(process), &status, 0);
    } while (rc < 0 && errno == EINTR);
    if (rc < 0) {
        return -1;
    }
    if (WIFEXITED(status)) {
        return WEXITSTATUS(status);
    }
    if (WIFSIGNALED(status)) {
        return WTERMSIG(status);
    }
    return -1;
}

}  // namespace hushpane
