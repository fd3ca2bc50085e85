#include "EventLoopWatchdog.h"

#include <algorithm>

namespace hushpane::bench {

EventLoopWatchdog::EventLoopWatchdog(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(kIntervalMs);
    connect(&timer_, &QTimer::timeout, this, &EventLoopWatchdog::tick);
    timer_.start();
    reset();
}

void EventLoopWatchdog::reset() {
    longestGapNs_ = 0;
    sinceTick_.start();
}

void EventLoopWatchdog::tick() {
    longestGapNs_ = std::max(longestGapNs_, sinceTick_.nsecsElapsed());
    sinceTick_.start();
}

double EventLoopWatchdog::longestStallMs() const {
    // The gap still open counts too: a call that has not returned yet holds the thread.
    const qint64 gap = std::max(longestGapNs_, sinceTick_.nsecsElapsed());
    return std::max(0.0, static_cast<double>(gap) / 1e6 - kIntervalMs);
}

}  // namespace hushpane::bench
