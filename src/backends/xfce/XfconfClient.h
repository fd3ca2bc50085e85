#pragma once

#include "backends/linux/BoundedBusCaller.h"
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

// The xfconf settings daemon (xfconfd) on a D-Bus connection. Every call is bounded, and a
// daemon that stops answering is called no more until it answers again (BoundedBusCaller);
// failures come back as xfconf's (or the bus's) own message. Copies share all of this.
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

    int timeoutMs() const { return caller_.timeoutMs(); }
    QDBusConnection bus() const { return caller_.bus(); }

    // True while calls fail at once because the daemon did not answer.
    bool isSilenced() const { return caller_.isSilenced(); }

    // Runs (on the main thread) when the daemon answers again after a timeout.
    void setRecoveryHandler(std::function<void()> handler) const {
        caller_.setRecoveryHandler(std::move(handler));
    }

private:
    BoundedBusCaller caller_;
};

// Numbers as they come over D-Bus (any integer width, or a numeric string); nothing for
// anything else.
std::optional<qint64> xfconfInteger(const QVariant& value);

}  // namespace hushpane
