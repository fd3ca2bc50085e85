#pragma once

#include "platform/DesktopKeybindings.h"

#include <QList>
#include <QMutex>
#include <QObject>

#include <functional>
#include <memory>

namespace hushpane {

// The desktop's own shortcuts for the recorder's checks, read off the main thread: asking a
// desktop daemon may take up to a call's bound, which a key press must never wait for. read()
// answers at once with the last list read and starts a new reading when none runs, so the list
// is at most one recording old; refresh() starts one ahead (at start, when the settings open).
class DesktopKeybindingsCache : public QObject {
    Q_OBJECT

public:
    using Reader = std::function<QList<DesktopAccelerator>()>;

    // `reader` runs on a pool thread: it must make its own connections and objects.
    explicit DesktopKeybindingsCache(Reader reader, QObject* parent = nullptr);
    ~DesktopKeybindingsCache() override;
    DesktopKeybindingsCache(const DesktopKeybindingsCache&) = delete;
    DesktopKeybindingsCache& operator=(const DesktopKeybindingsCache&) = delete;

    QList<DesktopAccelerator> read();
    void refresh();

Q_SIGNALS:
    // A reading finished (on the main thread).
    void refreshed();

private:
    // Shared with the readings in flight, which may outlive this cache.
    struct State {
        QMutex mutex;
        QList<DesktopAccelerator> keybindings;
        bool reading = false;
    };
    Reader reader_;
    std::shared_ptr<State> state_;
};

}  // namespace hushpane
