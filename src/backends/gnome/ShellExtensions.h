#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace hushpane {

// GNOME Shell's extensions, as far as switching one on and off goes.
class ShellExtensions {
public:
    // The Shell's own numbers for an extension's state.
    enum State {
        enabled = 1,
        disabled = 2,
        error = 3,
        outOfDate = 4,
        downloading = 5,
        initialized = 6,  // loaded, never enabled in this run of the Shell
        uninstalled = 99,
    };

    struct Info {
        int state = disabled;
        QString name;   // "Desktop Icons NG (DING)"
        QString error;  // what went wrong, in the error state
        bool canChange = true;
    };

    struct Lookup {
        std::optional<Info> info;      // nothing: the Shell knows no such extension
        std::optional<QString> error;  // the Shell could not be asked
    };

    virtual ~ShellExtensions() = default;

    // Each call is bounded by kDesktopCallTimeoutMs.
    virtual Lookup extension(const QString& uuid) = 0;
    // Nothing on success, else why the Shell did not take it.
    virtual std::optional<QString> setEnabled(const QString& uuid, bool on) = 0;
    // The same without waiting for the Shell, which takes its time to switch an extension:
    // `done` runs on the main thread once it answered (at once where it never waits).
    using Done = std::function<void(const std::optional<QString>& error)>;
    virtual void setEnabledThen(const QString& uuid, bool on, const Done& done) {
        done(setEnabled(uuid, on));
    }

    // Runs (on the main thread) when an extension changed state, the Shell came or went, or
    // answers again after a timeout.
    virtual void setChangeHandler(std::function<void()> handler) = 0;
};

}  // namespace hushpane
