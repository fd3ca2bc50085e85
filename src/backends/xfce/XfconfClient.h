#pragma once

#include "platform/DesktopSwitch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <optional>

namespace hushpane {

// The xfconf settings daemon (xfconfd) on a D-Bus connection. Every call is bounded by the
// timeout; failures come back as xfconf's (or the bus's) own message.
//
// One hide or show makes several calls, so once a call has timed out, the calls that follow
// fail at once with the same message instead of waiting again: a daemon that hangs costs one
// timeout, not one per property. Meanwhile a ping waits for the daemon without blocking
// anyone; its answer ends the silence at once and runs the recovery handler. The quiet period
// only bounds the silence should no answer ever come. Copies share all of this.
class XfconfClient {
public:
    static constexpr int kDefaultTimeoutMs = kDesktopCallTimeoutMs;
    static constexpr int kDefaultQuietPeriodMs = 5000;

    static constexpr auto kService = "org.xfce.Xfconf";
    static constexpr auto kPath = "/org/xfce/Xfconf";
    static constexpr auto kInterface = "org.xfce.Xfconf";

    struct Value {
        std::optional<QVariant> value;  // nothing when the property does not exist
        std::optional<QString> error;   // set when the daemon could not be asked
    };

    explicit XfconfClient(QDBusConnection bus, int timeoutMs = kDefaultTimeoutMs,
                          int quietPeriodMs = kDefaultQuietPeriodMs);

    Value property(const QString& channel, const QString& property) const;

    struct Properties {
        QVariantMap values;            // by full property name
        std::optional<QString> error;  // set when the daemon could not be asked
    };
    // Every property of the channel under `base` ("/commands" or "/" for all of them). A
    // channel that does not exist has none.
    Properties properties(const QString& channel, const QString& base) const;

    // Creates the property when it is missing. The QVariant's type decides the D-Bus type
    // (int -> int32, QString -> string, bool -> boolean), and xfdesktop cares about it.
    // Nothing on success, else the error message.
    std::optional<QString> setProperty(const QString& channel, const QString& property,
                                       const QVariant& value) const;

    // Removes the property (back to the program's default). Nothing on success, also when it
    // did not exist.
    std::optional<QString> resetProperty(const QString& channel, const QString& property) const;

    int timeoutMs() const { return timeoutMs_; }
    QDBusConnection bus() const { return bus_; }

    // True while calls fail at once because the daemon did not answer.
    bool isSilenced() const { return !silence_->until.hasExpired(); }

    // Runs (on the main thread) when the daemon answers again after a timeout.
    void setRecoveryHandler(std::function<void()> handler) const;

private:
    struct Silence {
        QDeadlineTimer until{0};
        QString message;
        bool pinging = false;
        std::function<void()> recovered;
    };

    // Asks the daemon, without waiting, to say when it answers again.
    static void waitForAnswer(const QDBusConnection& bus, const std::shared_ptr<Silence>& silence);

    // The reply, or a made-up error while the daemon is known not to answer.
    QDBusMessage send(const QDBusMessage& message) const;

    QDBusConnection bus_;
    int timeoutMs_;
    int quietPeriodMs_;
    std::shared_ptr<Silence> silence_;
};

// Numbers as they come over D-Bus (any integer width, or a numeric string); nothing for
// anything else.
std::optional<qint64> xfconfInteger(const QVariant& value);

}  // namespace hushpane
