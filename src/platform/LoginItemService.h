#pragma once

#include <QString>

#include <optional>

namespace hushpane {

// Whether the application starts when the user logs in.
class LoginItemService {
public:
    enum class Status {
        notRegistered,     // no login item
        enabled,           // starts at login
        requiresApproval,  // registered, but the user must still allow it
        notFound,          // the application cannot be found to register it
    };

    virtual ~LoginItemService() = default;

    virtual Status status() const = 0;

    // Nothing on success, else the error's readable description.
    virtual std::optional<QString> registerLoginItem() = 0;
    virtual std::optional<QString> unregisterLoginItem() = 0;
};

}  // namespace hushpane
