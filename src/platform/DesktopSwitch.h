#pragma once

#include <QString>

#include <optional>

namespace hushpane {

// The one switch the program is about: whether the desktop draws its file, folder and disk
// icons. Each desktop has its own way of storing and applying it.
class DesktopSwitch {
public:
    virtual ~DesktopSwitch() = default;

    // True while the desktop draws its icons (also when the desktop has no value stored).
    virtual bool createsDesktop() = 0;

    // Stores the wanted state and makes the desktop apply it. Returns the text the user should
    // see when that could not be done; failures the user need not see are only logged.
    virtual std::optional<QString> setCreatesDesktop(bool createsDesktop) = 0;

    // Which desktop this drives, in a few words for the settings window.
    virtual QString description() const = 0;
};

}  // namespace hushpane
