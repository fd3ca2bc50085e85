#pragma once

#include "backends/linux/DesktopProgram.h"

#include <QStringList>

#include <functional>

namespace hushpane {

// A file manager that draws the desktop from its own configuration files (pcmanfm,
// pcmanfm-qt): it reads them when its desktop starts, so a change is applied by turning its
// desktop off and on again, with the files edited in between.
class FileManagerDesktop : public DesktopProgram {
public:
    // The configuration profile the running desktop uses ("default" when none is named).
    virtual QString profile() = 0;
    // The folder that holds the profile's files.
    virtual QString profileDirectory() = 0;

    // Passes options to the running instance, the way a second start of the program does
    // (bounded). Nothing on success, else why not.
    virtual std::optional<QString> tell(const QStringList& arguments) = 0;

    // Turns the desktop off, runs `change` while it is off and starts the desktop again, also
    // when the change failed. Nothing on success; else the change's error, or why the
    // desktop could not be turned off (then `change` did not run) or started again.
    virtual std::optional<QString> restart(
        const std::function<std::optional<QString>()>& change) = 0;

    // The same two, answered through `done` (on the main thread) instead of waiting; by
    // default the waiting ones above.
    using Answer = std::function<void(const std::optional<QString>& failure)>;
    virtual void tellThen(const QStringList& arguments, const Answer& done) {
        done(tell(arguments));
    }
    virtual void restartThen(const std::function<std::optional<QString>()>& change,
                             const Answer& done) {
        done(restart(change));
    }
};

}  // namespace hushpane
