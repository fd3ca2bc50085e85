#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>

#include <functional>
#include <memory>

namespace hushpane {

// Calls one desktop daemon on a D-Bus connection, each call waiting at most the timeout.
//
// One hide or show makes several calls, so once a call has timed out the calls that follow
// fail at once with the same message instead of waiting again: a daemon that hangs costs one
// timeout, not one per call. Meanwhile a ping waits for the daemon without blocking anyone;
// its answer ends the silence at once and runs the recovery handler, so a daemon that comes
// back is noticed without a press. The quiet period only bounds the silence should no answer
// ever come. Copies share all of this.
class BoundedBusCaller {
public:
    // Turns the reply of a call that timed out into the message the silence repeats.
    using Describe = std::function<QString(const QDBusMessage& reply)>;

    BoundedBusCaller(QDBusConnection bus, const QString& service, const QString& path,
                     int timeoutMs, int quietPeriodMs, Describe describeTimeout);

    // The reply; while silenced, an error reply (NoReply) with the silence's message.
    QDBusMessage call(const QDBusMessage& message) const;
    // The same call without waiting: `done` gets the reply on the main thread, at once while
    // silenced. A timeout silences the calls after it as the waiting form does.
    void callThen(const QDBusMessage& message,
                  const std::function<void(const QDBusMessage& reply)>& done) const;

    // True while calls fail at once because the daemon did not answer.
    bool isSilenced() const;
    // The daemon left or came back: what was known of it is old.
    void endSilence() const;
    // Runs (on the main thread) when the daemon answers again after a timeout.
    void setRecoveryHandler(std::function<void()> handler) const;

    static bool isTimeout(const QDBusMessage& reply);

    int timeoutMs() const { return timeoutMs_; }
    const QDBusConnection& bus() const { return bus_; }

private:
    struct Silence;
    void waitForAnswer() const;

    QDBusConnection bus_;
    QString service_;
    QString path_;
    int timeoutMs_;
    int quietPeriodMs_;
    Describe describeTimeout_;
    std::shared_ptr<Silence> silence_;
};

}  // namespace hushpane
