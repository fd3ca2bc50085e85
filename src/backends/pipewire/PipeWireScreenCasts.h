#pragma once

#include "backends/pipewire/ScreenCastGraph.h"
#include "platform/HideTrigger.h"

#include <QString>

#include <memory>

class QFileSystemWatcher;

namespace hushpane::pipewire {

// Active while the screen is shared or recorded: a compositor's cast of a screen in the PipeWire
// graph with a consumer linked to it (a cast waiting for its viewer, a window's cast, a camera
// are not). Runs PipeWire's loop inside Qt's: no thread, no timer, woken only by the daemon.
//
// A daemon that is not there, or goes away, reads as inactive; the runtime directory is watched
// and the trigger connects again when the daemon's socket comes back.
class PipeWireScreenCasts : public HideTrigger {
    Q_OBJECT
public:
    explicit PipeWireScreenCasts(QObject* parent = nullptr);
    ~PipeWireScreenCasts() override;

    void start() override;
    void stop() override;
    bool isActive() const override;
    bool isSettled() const override;
    std::optional<QString> unavailableReason() const override;
    std::optional<QString> limitation() const override;

private:
    struct Connection;
    friend struct Connection;

    void connectToDaemon();
    void disconnectFromDaemon();
    void onDaemonGone();
    void watchRuntimeDirectory(bool watch);
    void onRuntimeDirectoryChanged();
    void update();
    void markSettled();

    std::unique_ptr<Connection> connection_;
    QFileSystemWatcher* watcher_ = nullptr;
    ScreenCastGraph graph_;
    bool started_ = false;
    bool settled_ = false;
    bool active_ = false;
};

}  // namespace hushpane::pipewire
