#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>

namespace hushpane {

// Whether the session is ending for good, from the three things that say so on Linux.
//
// - SIGTERM (what the session sends its programs at log-out) is final.
// - logind's PrepareForShutdown(true) holds until PrepareForShutdown(false), which is sent when
//   the shutdown was cancelled.
// - The session manager's request to save (commitDataRequest) comes before a log-out that may
//   still be cancelled, and a cancel is never reported to the application. A save that is not
//   followed by the end within `saveGrace` counts as cancelled.
class SessionEndState : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kSaveGrace{std::chrono::minutes(2)};

    explicit SessionEndState(std::chrono::milliseconds saveGrace = kSaveGrace,
                             QObject* parent = nullptr);

    bool isEnding() const { return terminated_ || shutdownPending_ || savePending_; }

    void terminated() { terminated_ = true; }
    void prepareForShutdown(bool starting) { shutdownPending_ = starting; }
    void saveRequested();

private:
    bool terminated_ = false;
    bool shutdownPending_ = false;
    bool savePending_ = false;
    QTimer saveExpiry_;
};

}  // namespace hushpane
