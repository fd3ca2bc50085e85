#pragma once

#include <QCoreApplication>
#include <QEventLoop>

#include <memory>
#include <optional>

namespace hushpane {

// For a caller that cannot go on without it (a tool, a test): runs the event loop until
// `start` has given the answer it promises through the callback it is handed. The answering
// side bounds its own waits, so the answer comes.
template <typename T, typename Start>
T awaitAnswer(Start start) {
    auto answer = std::make_shared<std::optional<T>>();
    start([answer](const T& value) { *answer = value; });
    while (!answer->has_value()) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return **answer;
}

}  // namespace hushpane
