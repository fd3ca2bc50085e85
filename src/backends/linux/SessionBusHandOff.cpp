#include "backends/linux/SessionBusHandOff.h"

#include "backends/linux/DBusSingleInstance.h"

#include <systemd/sd-bus.h>

#include <cstring>
#include <memory>

namespace hushpane {

namespace {

struct BusCloser {
    void operator()(sd_bus* bus) const { sd_bus_flush_close_unref(bus); }
};
struct MessageReleaser {
    void operator()(sd_bus_message* message) const { sd_bus_message_unref(message); }
};
using Bus = std::unique_ptr<sd_bus, BusCloser>;
using Message = std::unique_ptr<sd_bus_message, MessageReleaser>;

constexpr uint64_t kTimeoutMicroseconds = 10'000'000;

QString describe(int status) {
    return QString::fromLocal8Bit(std::strerror(-status));
}

bool namesNoOwner(const sd_bus_error& error) {
    return sd_bus_error_has_name(&error, "org.freedesktop.DBus.Error.ServiceUnknown") ||
           sd_bus_error_has_name(&error, "org.freedesktop.DBus.Error.NameHasNoOwner");
}

}  // namespace

SessionBusHandOff::Result SessionBusHandOff::deliver(const QStringList& urls, QString* error) {
    sd_bus* rawBus = nullptr;
    // No session bus: nobody to hand over to, the process runs alone.
    if (sd_bus_open_user(&rawBus) < 0) {
        return Result::nobodyRunning;
    }
    const Bus bus(rawBus);

    sd_bus_message* rawCall = nullptr;
    int status = sd_bus_message_new_method_call(
        bus.get(), &rawCall, DBusSingleInstance::kServiceName, DBusSingleInstance::kObjectPath,
        DBusSingleInstance::kInterface, "Activate");
    const Message call(rawCall);
    if (status >= 0) {
        status = sd_bus_message_set_auto_start(call.get(), 0);
    }
    if (status >= 0) {
        status = sd_bus_message_open_container(call.get(), 'a', "s");
    }
    for (const QString& url : urls) {
        if (status < 0) {
            break;
        }
        const QByteArray utf8 = url.toUtf8();
        status = sd_bus_message_append_basic(call.get(), 's', utf8.constData());
    }
    if (status >= 0) {
        status = sd_bus_message_close_container(call.get());
    }
    if (status < 0) {
        if (error) {
            *error = describe(status);
        }
        return Result::failed;
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
            if (error) {
                *error =
                    callError.message ? QString::fromUtf8(callError.message) : describe(status);
            }
        }
    }
    sd_bus_error_free(&callError);
    return result;
}

}  // namespace hushpane
