#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace hushpane {

// The longest a desktop back-end may keep the main thread waiting for the desktop's own
// daemon in one call. A daemon that does not answer costs at most this once per call; the
// calls after it fail at once until the daemon answers again.
inline constexpr int kDesktopCallTimeoutMs = 400;

// The one switch the program is about: whether the desktop draws its file, folder and disk
// icons. Each desktop has its own way of storing and applying it.
//
// Reads are synchronous and bounded by kDesktopCallTimeoutMs each. A change is a request and a
// completion: a switch that has to wait for the desktop (a program it starts, one that is
// leaving) answers later, from the event loop, and never holds the main thread meanwhile. The
// controller sends one change at a time and never a burst: changes are coalesced and spaced
// out before they reach a switch.
class DesktopSwitch {
public:
    virtual ~DesktopSwitch() = default;

    // True while the desktop draws its icons (also when the desktop has no value stored, or
    // cannot be asked).
    virtual bool createsDesktop() = 0;

    // Stores the wanted state and makes the desktop apply it. Returns the text the user should
    // see when that could not be done, and then nothing may have changed: a change that could
    // not be stored or applied is a failure, never a success with a log line.
    virtual std::optional<QString> setCreatesDesktop(bool createsDesktop) = 0;

    // The same change, answered through `done` (on the main thread) once the desktop applied
    // it or could not: at once for a switch that never waits, which is the default.
    using Completion = std::function<void(const std::optional<QString>& failure)>;
    virtual void requestCreatesDesktop(bool createsDesktop, const Completion& done) {
        done(setCreatesDesktop(createsDesktop));
    }

    // How many changes the desktop takes back to back before the controller spaces them out
    // (a burst of toggles). 1: every change waits its turn, for a desktop that breaks under
    // quick successive changes.
    virtual int changesAtOnce() const { return kDefaultChangesAtOnce; }
    static constexpr int kDefaultChangesAtOnce = 4;

    // Which desktop this drives, in a few words for the settings caption ("XFCE desktop
    // (xfdesktop)").
    virtual QString description() const = 0;

    // What hiding does on this desktop, one or two sentences under the switch (what
    // disappears, whether anything restarts or closes).
    virtual QString explanation() const = 0;

    // The handler runs (on the main thread) whenever the desktop's state may have changed
    // other than through setCreatesDesktop: the user changed it in the desktop's own settings,
    // or its daemon answers again after a failure. The controller then reads createsDesktop()
    // again. Back-ends that cannot tell never call it.
    // A sink: the back-ends that can tell keep the handler.
    // NOLINTNEXTLINE(performance-unnecessary-value-param)
    virtual void setExternalChangeHandler(std::function<void()> /*handler*/) {}
};

}  // namespace hushpane
