#pragma once

#include <string>
#include <vector>

namespace hushpane {

// Activate(urls) on the running instance, the call DBusSingleInstance answers, over plain
// sd-bus and without Qt: the launcher makes it before anything else is loaded, and the program
// through SessionBusHandOff. It never starts an instance through D-Bus activation: "nobody
// runs" is an answer of its own.
class ActivateCall {
public:
    enum class Result {
        delivered,
        // No session bus, or nobody owns the name.
        nobodyRunning,
        // Nothing was sent (the message could not be made): starting the program is safe.
        notSent,
        // Sent, and the instance did not answer as it should: it may have acted on it.
        failed,
    };

    // `error` receives the reason of `notSent` and `failed`.
    static Result deliver(const std::vector<const char*>& urls, std::string* error);
};

}  // namespace hushpane
