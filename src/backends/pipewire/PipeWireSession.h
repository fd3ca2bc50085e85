#pragma once

#include <QCoreApplication>
#include <QString>

#include <optional>

namespace hushpane::pipewire {

// What is known of PipeWire in this session without libpipewire: where its daemon listens,
// whether it runs, what a watcher of its casts cannot see. The program asks these at every
// start; the watcher itself is a plugin, loaded once its switch is on.
class PipeWireSession {
    Q_DECLARE_TR_FUNCTIONS(hushpane::pipewire::PipeWireScreenCasts)
public:
    // The daemon's socket as libpipewire finds it ($PIPEWIRE_REMOTE, in $PIPEWIRE_RUNTIME_DIR or
    // $XDG_RUNTIME_DIR).
    static QString socketPath();
    // "PipeWire is not running", or nothing.
    static std::optional<QString> unavailableReason();
    // On X11, that only shares made through the desktop's dialog are noticed.
    static std::optional<QString> limitation();
};

}  // namespace hushpane::pipewire
