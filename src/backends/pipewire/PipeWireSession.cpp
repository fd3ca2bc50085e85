#include "backends/pipewire/PipeWireSession.h"

#include <QDir>
#include <QFileInfo>

namespace hushpane::pipewire {

QString PipeWireSession::socketPath() {
    QString remote = qEnvironmentVariable("PIPEWIRE_REMOTE", QStringLiteral("pipewire-0"));
    if (QDir::isAbsolutePath(remote)) {
        return remote;
    }
    QString directory = qEnvironmentVariable("PIPEWIRE_RUNTIME_DIR");
    if (directory.isEmpty()) {
        directory = qEnvironmentVariable("XDG_RUNTIME_DIR");
    }
    return directory.isEmpty() ? QString() : directory + QLatin1Char('/') + remote;
}

std::optional<QString> PipeWireSession::unavailableReason() {
    const QString socket = socketPath();
    if (socket.isEmpty() || !QFileInfo(socket).exists()) {
        return tr("PipeWire is not running");
    }
    return std::nullopt;
}

std::optional<QString> PipeWireSession::limitation() {
    // A session started without a login manager may not say its type: X11 is then a DISPLAY
    // without a Wayland socket.
    const QString type = qEnvironmentVariable("XDG_SESSION_TYPE");
    const bool x11 = type == QLatin1String("x11") ||
                     (type.isEmpty() && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
                      !qEnvironmentVariableIsEmpty("DISPLAY"));
    if (x11) {
        return tr(
            "On X11 only shares made through the desktop's screen-sharing dialog are "
            "noticed, not programs that read the screen directly.");
    }
    return std::nullopt;
}

}  // namespace hushpane::pipewire
