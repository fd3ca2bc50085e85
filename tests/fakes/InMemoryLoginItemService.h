#pragma once

#include "platform/LoginItemService.h"

#include <QList>

#include <functional>

namespace hushpane::test {

// A login item in memory. Registering enables it unless `registerError` is set (then the
// status stays as it was); `statusAfterRegister` models an item that still awaits approval.
// `statusOverride`, when set, answers every status() call (and may change between calls).
class InMemoryLoginItemService : public LoginItemService {
public:
    enum class Call { registerItem, unregisterItem };

    Status status() const override {
        ++statusReads;
        return statusOverride ? statusOverride() : current;
    }
    std::optional<QString> registerLoginItem() override {
        calls.append(Call::registerItem);
        if (registerError) {
            return registerError;
        }
        current = statusAfterRegister;
        return std::nullopt;
    }
    std::optional<QString> unregisterLoginItem() override {
        calls.append(Call::unregisterItem);
        if (unregisterError) {
            return unregisterError;
        }
        current = Status::notRegistered;
        return std::nullopt;
    }

    Status current = Status::notRegistered;
    Status statusAfterRegister = Status::enabled;
    std::optional<QString> registerError;
    std::optional<QString> unregisterError;
    std::function<Status()> statusOverride;
    QList<Call> calls;
    mutable int statusReads = 0;
};

}  // namespace hushpane::test
