#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace hushpane {

// Something going on in the session while which the icons hide by themselves: the screen being
// shared or recorded, a display mirroring another. A trigger watches only between start() and
// stop(), and waits for events while it watches (it never polls).
class HideTrigger : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Begins watching. The first state may come later: until isSettled() the trigger reads as
    // inactive, and settled() follows once it knows (at once where it can tell synchronously).
    virtual void start() = 0;
    // Stops watching and drops every connection it made; reads as inactive and unsettled.
    virtual void stop() = 0;

    virtual bool isActive() const = 0;
    virtual bool isSettled() const = 0;

    // Nothing where this trigger can work; otherwise the reason it cannot, in the user's words
    // ("PipeWire is not running"). Known before start().
    virtual std::optional<QString> unavailableReason() const = 0;
    // What it cannot see even where it works, for the settings ("Only shares made through the
    // desktop's sharing dialog are noticed"), or nothing.
    virtual std::optional<QString> limitation() const { return std::nullopt; }

Q_SIGNALS:
    void activeChanged(bool active);
    void settled();
};

}  // namespace hushpane
