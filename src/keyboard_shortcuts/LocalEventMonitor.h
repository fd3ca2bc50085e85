#pragma once

#include <QEvent>
#include <QList>
#include <QObject>

#include <functional>

namespace KeyboardShortcuts {

// While it lives, the events of the given types that the application delivers to any of its
// objects are first offered to the callback; an event the callback answers true for is
// dropped. Destroying the monitor ends the monitoring.
class LocalEventMonitor : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<bool(QObject* receiver, QEvent* event)>;

    LocalEventMonitor(QList<QEvent::Type> events, Callback callback, QObject* parent = nullptr);
    ~LocalEventMonitor() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QEvent::Type> events_;
    Callback callback_;
};

}  // namespace KeyboardShortcuts
