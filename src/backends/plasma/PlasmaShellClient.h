#pragma once

#include "backends/linux/BoundedBusCaller.h"
#include "backends/plasma/PlasmaScripting.h"
#include "platform/DesktopSwitch.h"

#include <QCoreApplication>
#include <QDBusConnection>

namespace hushpane {

// plasmashell's scripting on the session bus (org.kde.PlasmaShell.evaluateScript). Each call is
// bounded, and a plasmashell that stops answering is called no more until it answers again
// (BoundedBusCaller). Copies share this.
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

    bool isSilenced() const { return caller_.isSilenced(); }

private:
    BoundedBusCaller caller_;
};

}  // namespace hushpane
