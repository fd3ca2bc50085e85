#include "launcher/ProgramLocation.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>

#ifndef HUSHPANE_PROGRAM_FROM_LAUNCHER
#define HUSHPANE_PROGRAM_FROM_LAUNCHER "../libexec/hushpane/hushpane"
#endif
#ifndef HUSHPANE_PROGRAM_FROM_BUILD_ROOT
#define HUSHPANE_PROGRAM_FROM_BUILD_ROOT "libexec/hushpane/hushpane"
#endif

namespace hushpane::launcher {

std::optional<std::string> ProgramLocation::find(std::string* lookedAt) {
    // The file this process runs, whatever name or link it was started by.
    std::array<char, 4096> self{};
    const ssize_t length = readlink("/proc/self/exe", self.data(), self.size() - 1);
    if (length <= 0) {
        *lookedAt = std::string("/proc/self/exe cannot be read: ") + std::strerror(errno);
        return std::nullopt;
    }
    std::string directory(self.data(), static_cast<size_t>(length));
    directory.erase(directory.rfind('/') + 1);
    lookedAt->clear();
    for (const char* relative :
         {HUSHPANE_PROGRAM_FROM_LAUNCHER, HUSHPANE_PROGRAM_FROM_BUILD_ROOT}) {
        std::string candidate = directory + relative;
        if (access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        *lookedAt += (lookedAt->empty() ? "" : ", ") + candidate;
    }
    return std::nullopt;
}

}  // namespace hushpane::launcher
