#pragma once

#include <optional>
#include <string>

namespace hushpane::launcher {

// Where the program itself is, relative to this launcher: <prefix>/libexec/hushpane/hushpane
// from <prefix>/bin/hushpane, or build/libexec/hushpane/hushpane from build/hushpane.
class ProgramLocation {
public:
    // The program, or nullopt with the places looked at (or why not) in `lookedAt`.
    static std::optional<std::string> find(std::string* lookedAt);
};

}  // namespace hushpane::launcher
