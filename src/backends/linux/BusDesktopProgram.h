#pragma once

#include "backends/linux/DesktopProgram.h"
#include "platform/DesktopSwitch.h"

#include <QDBusConnection>
#include <QStringList>

namespace hushpane {

// A desktop program known by the name it owns on the session bus. It answers when a ping to
// that name is answered within the timeout (a stopped or hung process does not answer).
class BusDesktopProgram : public DesktopProgram {
public:
    static constexpr int kDefaultTimeoutMs = kDesktopCallTimeoutMs;
    // Starting a desktop program loads its whole file manager: it gets longer.
    static constexpr int kLaunchTimeoutMs = 10000;

    // `command` starts it (program and arguments); empty when Hushpane must not start it.
    BusDesktopProgram(QDBusConnection bus, QString busName, QString name, QStringList command = {},
                      int timeoutMs = kDefaultTimeoutMs);

    State state() override;
    std::optional<QString> launch() override;
    bool leavesWithin(int ms) override;
    // Watch the bus for the name instead of asking again and again.
    void launchThen(const std::function<void(const std::optional<QString>&)>& done) override;
    void whenLeft(int ms, const std::function<void(bool left)>& done) override;
    QString name() const override { return name_; }
    int timeoutMs() const override { return timeoutMs_; }

    bool isRegistered() const;

private:
    // Answers `done` once the name is owned (`owned`) or free, or after `ms` with how it is.
    void whenOwned(bool owned, int ms, const std::function<void(bool reached)>& done) const;
    std::optional<QString> launchFailure(bool started) const;

    QDBusConnection bus_;
    QString busName_;
    QString name_;
    QStringList command_;
    int timeoutMs_;
};

}  // namespace hushpane
