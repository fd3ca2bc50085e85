#pragma once

#include "backends/linux/SessionEndState.h"
#include "platform/ApplicationPlatform.h"

#include <QDBusConnection>
#include <QPointer>

class QSocketNotifier;
class QWindow;

namespace hushpane {

// Activation policy and quit reasons on a Linux desktop.
//
// - Accessory keeps the application's top-level windows out of the task bar and the pager
//   (_NET_WM_STATE_SKIP_TASKBAR / _SKIP_PAGER on X11); regular lets them in.
// - Whether the session is ending is told by SessionEndState, fed from the session manager
//   (commitDataRequest), logind (PrepareForShutdown on `logind`, the system bus unless given)
//   and SIGTERM. SIGTERM and SIGHUP also ask the application to quit; SIGINT (Ctrl-C in a
//   terminal) is the user's own quit.
class LinuxApplicationPlatform : public ApplicationPlatform {
    Q_OBJECT
public:
    explicit LinuxApplicationPlatform(QObject* parent = nullptr);
    LinuxApplicationPlatform(const QDBusConnection& logind,
                             std::chrono::milliseconds saveGrace = SessionEndState::kSaveGrace,
                             QObject* parent = nullptr);
    ~LinuxApplicationPlatform() override;

    ActivationPolicy activationPolicy() const override { return policy_; }
    void setActivationPolicy(ActivationPolicy policy) override;
    bool hasApplicationIcon() const override { return false; }
    void activate() override;
    bool isSessionEnding() const override { return sessionEnd_.isEnding(); }

    // The session manager asked to save state (Qt's commitDataRequest).
    void sessionSaveRequested() { sessionEnd_.saveRequested(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void prepareForShutdown(bool starting);

private:
    void applyPolicy(QWindow* window, bool mapped);
    void readSignal();

    ActivationPolicy policy_ = ActivationPolicy::accessory;
    SessionEndState sessionEnd_;
    QPointer<QSocketNotifier> signalNotifier_;
};

}  // namespace hushpane
