#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;

namespace KeyboardShortcuts {

// While started, every key press and release (and shortcut override) the application delivers
// is first offered to the callback; an event the callback answers true for is dropped.
class KeyEventMonitor : public QObject {
    Q_OBJECT
public:
    using Callback = std::function<bool(QKeyEvent& event)>;

    explicit KeyEventMonitor(Callback callback, QObject* parent = nullptr);
    ~KeyEventMonitor() override;

    void start();
    void stop();
    bool isStarted() const { return started_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Callback callback_;
    bool started_ = false;
};

}  // namespace KeyboardShortcuts
