#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

#include <xcb/xcb.h>

class QSocketNotifier;

namespace hushpane::x11 {

// A connection of our own to an X server, with its events handed out from the Qt event loop.
// Being a separate client keeps the grabs and XKB settings apart from Qt's own connection.
class XcbConnection : public QObject {
    Q_OBJECT
public:
    using EventHandler = std::function<void(const xcb_generic_event_t& event)>;

    // An empty name means $DISPLAY.
    explicit XcbConnection(const QString& displayName = {}, QObject* parent = nullptr);
    ~XcbConnection() override;

    bool isValid() const { return connection_ != nullptr; }
    xcb_connection_t* get() const { return connection_; }
    xcb_window_t root() const { return root_; }

    void addEventHandler(EventHandler handler);
    // Hands out every event that has arrived, also those read while waiting for a reply.
    void processPendingEvents();
    // False once the server went away.
    bool isConnected() const;

private:
    void processQueuedEvents();
    void checkConnection();
    void dispatch(xcb_generic_event_t* event);

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_NONE;
    QSocketNotifier* notifier_ = nullptr;
    std::vector<EventHandler> handlers_;
};

}  // namespace hushpane::x11
