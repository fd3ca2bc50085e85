#include "backends/linux/ActivateCall.h"

#include <systemd/sd-bus.h>

#include <cstring>
#include <memory>

namespace hushpane {

namespace {

// DBusSingleInstance's name, path and interface (that header needs Qt).
constexpr auto kServiceName = "app.hushpane";
constexpr auto kObjectPath = "/app/hushpane";
constexpr auto kInterface = "app.hushpane.Instance";
constexpr uint64_t kTimeoutMicroseconds = 10'000'000;

struct BusCloser {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageReleaser {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using Bus = std::unique_ptr<sd_bus, BusCloser>;
using Message = std::unique_ptr<sd_bus_message, MessageReleaser>;

bool namesNoOwner(const sd_bus_error& error) {
    return sd_bus_error_has_name(&error, "org.freedesktop.DBus.Error.ServiceUnknown") != 0 ||
           sd_bus_error_has_name(&error, "org.freedesktop.DBus.Error.NameHasNoOwner") != 0;
}

}  // namespace

ActivateCall::Result ActivateCall::deliver(const std::vector<const char*>& urls,
                                           std::string* error) {
    sd_bus* rawBus = nullptr;
    if (sd_bus_open_user(&rawBus) < 0) {
        return Result::nobodyRunning;
    }
    const Bus bus(rawBus);

    sd_bus_message* rawCall = nullptr;
    int status = sd_bus_message_new_method_call(bus.get(), &rawCall, kServiceName, kObjectPath,
                                                kInterface, "Activate");
    const Message call(rawCall);
    if (status >= 0) {
        status = sd_bus_message_set_auto_start(call.get(), 0);
    }
    if (status >= 0) {
        status = sd_bus_message_open_container(call.get(), 'a', "s");
    }
    for (const char* url : urls) {
        if (status < 0) {
            break;
        }
        status = sd_bus_message_append_basic(call.get(), 's', url);
    }
    if (status >= 0) {
        status = sd_bus_message_close_container(call.get());
    }
    if (status < 0) {
        *error = std::strerror(-status);
        return Result::notSent;
    }

    sd_bus_error callError = SD_BUS_ERROR_NULL;
    sd_bus_message* rawReply = nullptr;
    status = sd_bus_call(bus.get(), call.get(), kTimeoutMicroseconds, &callError, &rawReply);
    const Message reply(rawReply);
    Result result = Result::delivered;
    if (status < 0) {
        if (namesNoOwner(callError)) {
            result = Result::nobodyRunning;
        } else {
            result = Result::failed;
            *error = callError.message != nullptr ? callError.message : std::strerror(-status);
        }
    }
    sd_bus_error_free(&callError);
    return result;
}

}  // namespace hushpane
