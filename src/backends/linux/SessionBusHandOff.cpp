#include "backends/linux/SessionBusHandOff.h"

#include "backends/linux/ActivateCall.h"

#include <string>
#include <vector>

namespace hushpane {

SessionBusHandOff::Result SessionBusHandOff::deliver(const QStringList& urls, QString* error) {
    std::vector<QByteArray> utf8;
    utf8.reserve(static_cast<size_t>(urls.size()));
    std::vector<const char*> texts;
    for (const QString& url : urls) {
        texts.push_back(utf8.emplace_back(url.toUtf8()).constData());
    }
    std::string reason;
    const ActivateCall::Result result = ActivateCall::deliver(texts, &reason);
    if (error != nullptr && !reason.empty()) {
        *error = QString::fromLocal8Bit(reason);
    }
    switch (result) {
        case ActivateCall::Result::delivered:
            return Result::delivered;
        case ActivateCall::Result::nobodyRunning:
            return Result::nobodyRunning;
        case ActivateCall::Result::notSent:
        case ActivateCall::Result::failed:
            break;
    }
    return Result::failed;
}

}  // namespace hushpane
