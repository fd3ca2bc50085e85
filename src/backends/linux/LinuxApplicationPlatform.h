#pragma once

#include "platform/ApplicationPlatform.h"

#include <QPointer>

class QSocketNotifier;
class QWindow;

namespace hushpane {

// Activation policy and quit reasons on a Linux desktop.
//
// - Accessory keeps the application's top-level windows out of the task bar and the pager
//   (_NET_WM_STATE_SKIP_TASKBAR / _SKIP_PAGER on X11); regular lets them in.
// - The session is ending once the session manager asks to save state (commitDataRequest),
//   once logind announces PrepareForShutdown, or when SIGTERM arrives (what the session sends
//   its programs at log-out). SIGTERM and SIGHUP also ask the application to quit; SIGINT
//   (Ctrl-C in a terminal) is the user's own quit.
class LinuxApplicationPlatform : public ApplicationPlatform {
    Q_OBJECT
public:
    explicit LinuxApplicationPlatform(QObject* parent = nullptr);
    ~LinuxApplicationPlatform() override;

    ActivationPolicy activationPolicy() const override { return policy_; }
    void setActivationPolicy(ActivationPolicy policy) override;
    void activate() override;
    bool isSessionEnding() const override { return sessionEnding_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void prepareForShutdown(bool starting);

private:
    void applyPolicy(QWindow* window, bool mapped);
    void readSignal();

    ActivationPolicy policy_ = ActivationPolicy::accessory;
    bool sessionEnding_ = false;
    QPointer<QSocketNotifier> signalNotifier_;
};

}  // namespace hushpane
