#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace hushpane {

// The program that draws a desktop's icons (caja, nemo-desktop, ...), as far as a desktop
// switch needs to know it: is it there, does it answer, and can it be started again.
class DesktopProgram {
public:
    enum class State { answering, notRunning, notAnswering };

    virtual ~DesktopProgram() = default;

    // Bounded by the program's timeout.
    virtual State state() = 0;

    // Starts the program on its own (it outlives Hushpane) and waits, bounded, until it is
    // there. Nothing on success, else the reason.
    virtual std::optional<QString> launch() = 0;

    // Waits at most `ms` for the program to leave (it was told to end with its icons); true
    // once it has. By default it is not known to leave.
    virtual bool leavesWithin(int ms) {
        static_cast<void>(ms);
        return false;
    }

    // The same, answered through `done` (on the main thread) instead of waiting; by default
    // the waiting ones above.
    virtual void launchThen(const std::function<void(const std::optional<QString>&)>& done) {
        done(launch());
    }
    virtual void whenLeft(int ms, const std::function<void(bool left)>& done) {
        done(leavesWithin(ms));
    }

    // Its name, as the user knows it ("caja").
    virtual QString name() const = 0;

    // How long a call waits for it, in milliseconds.
    virtual int timeoutMs() const = 0;
};

}  // namespace hushpane
