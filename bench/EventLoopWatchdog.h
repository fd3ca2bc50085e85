#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace hushpane::bench {

// Times the main thread's event loop: a precise timer ticks every few milliseconds, and the
// longest time between two ticks beyond that interval is the longest the thread was held by
// one call. A nested event loop (a call that waits by running the loop) keeps it ticking.
class EventLoopWatchdog : public QObject {
    Q_OBJECT
public:
    static constexpr int kIntervalMs = 5;

    explicit EventLoopWatchdog(QObject* parent = nullptr);

    // Forgets what was seen so far; the next gap is timed from now.
    void reset();
    // The longest stall since the last reset, in milliseconds.
    double longestStallMs() const;

private:
    void tick();

    QTimer timer_;
    QElapsedTimer sinceTick_;
    qint64 longestGapNs_ = 0;
};

}  // namespace hushpane::bench
