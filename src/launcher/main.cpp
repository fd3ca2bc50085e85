// The command `hushpane`. Only URL commands, with an instance running: handed over in one
// D-Bus call, and done. Everything else (no arguments, options, refusals, the first start) is
// the program's own business: it is started in this process, with the same arguments, so its
// messages, exit status and process id are the same as if it had been started directly.

#include "backends/linux/ActivateCall.h"
#include "launcher/ProgramLocation.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using hushpane::ActivateCall;
using hushpane::launcher::ProgramLocation;

namespace {

// The plain spellings of the commands; any other spelling, valid or not, is the program's to
// judge.
bool isUrlCommand(std::string_view argument) {
    for (const std::string_view command :
         {"hushpane://hide", "hushpane://show", "hushpane://toggle", "hushpane://settings"}) {
        if (argument == command) {
            return true;
        }
    }
    return false;
}

std::vector<const char*> urlCommands(int argc, char** argv) {
    std::vector<const char*> urls;
    for (int i = 1; i < argc; ++i) {
        if (!isUrlCommand(argv[i])) {
            return {};
        }
        urls.push_back(argv[i]);
    }
    return urls;
}

}  // namespace

int main(int argc, char** argv) {
    if (const std::vector<const char*> urls = urlCommands(argc, argv); !urls.empty()) {
        std::string error;
        switch (ActivateCall::deliver(urls, &error)) {
            case ActivateCall::Result::delivered:
                return 0;
            case ActivateCall::Result::failed:
                // Starting the program would send the call again: a toggle could be done twice.
                std::fprintf(stderr, "hushpane: couldn't reach the running Hushpane: %s\n",
                             error.c_str());
                return 1;
            case ActivateCall::Result::notSent:
            case ActivateCall::Result::nobodyRunning:
                break;
        }
    }
    std::string lookedAt;
    const std::optional<std::string> program = ProgramLocation::find(&lookedAt);
    if (!program) {
        std::fprintf(stderr, "hushpane: the Hushpane program is missing (looked for %s)\n",
                     lookedAt.c_str());
        return 1;
    }
    execv(program->c_str(), argv);
    std::fprintf(stderr, "hushpane: couldn't start %s: %s\n", program->c_str(),
                 std::strerror(errno));
    return 1;
}
