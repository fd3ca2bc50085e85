#pragma once

#include "backends/plasma/PlasmaScripting.h"
#include "platform/DesktopSwitch.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>

#include <memory>

namespace hushpane {

// plasmashell's scripting on the session bus (org.kde.PlasmaShell.evaluateScript). Each call
// waits at most the timeout. Once one has timed out, the calls after it fail at once with the
// same text while a ping waits, without blocking anyone, for plasmashell to answer again; the
// quiet period only bounds that should no answer ever come. Copies share this.
class PlasmaShellClient : public PlasmaScripting {
    Q_DECLARE_TR_FUNCTIONS(hushpane::PlasmaShellClient)

public:
    static constexpr auto kService = "org.kde.plasmashell";
    static constexpr auto kPath = "/PlasmaShell";
    static constexpr auto kInterface = "org.kde.PlasmaShell";
    static constexpr int kDefaultTimeoutMs = kDesktopCallTimeoutMs;
    static constexpr int kDefaultQuietPeriodMs = 5000;

    explicit PlasmaShellClient(QDBusConnection bus, int timeoutMs = kDefaultTimeoutMs,
                               int quietPeriodMs = kDefaultQuietPeriodMs);

    Reply evaluateScript(const QString& script) override;

    bool isSilenced() const { return !silence_->until.hasExpired(); }

private:
    struct Silence {
        QDeadlineTimer until{0};
        QString message;
        bool pinging = false;
    };
    void waitForAnswer();

    QDBusConnection bus_;
    int timeoutMs_;
    int quietPeriodMs_;
    std::shared_ptr<Silence> silence_;
};

}  // namespace hushpane
