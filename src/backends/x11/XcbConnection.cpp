#include "backends/x11/XcbConnection.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <cstdlib>

namespace hushpane::x11 {

XcbConnection::XcbConnection(const QString& displayName, QObject* parent) : QObject(parent) {
    const QByteArray name = displayName.toLocal8Bit();
    int screenNumber = 0;
    xcb_connection_t* connection =
        xcb_connect(displayName.isEmpty() ? nullptr : name.constData(), &screenNumber);
    if (connection == nullptr || xcb_connection_has_error(connection) != 0) {
        if (connection != nullptr) {
            xcb_disconnect(connection);
        }
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && it.rem > 0; ++i) {
        xcb_screen_next(&it);
    }
    if (it.data == nullptr) {
        xcb_disconnect(connection);
        return;
    }
    connection_ = connection;
    root_ = it.data->root;

    notifier_ =
        new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &XcbConnection::processPendingEvents);
    // Replies read events into xcb's queue without the socket becoming readable again.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &XcbConnection::processQueuedEvents);
    }
}

XcbConnection::~XcbConnection() {
    if (connection_ != nullptr) {
        delete notifier_;
        xcb_disconnect(connection_);
    }
}

bool XcbConnection::isConnected() const {
    return connection_ != nullptr && xcb_connection_has_error(connection_) == 0;
}

void XcbConnection::addEventHandler(EventHandler handler) {
    handlers_.push_back(std::move(handler));
}

void XcbConnection::dispatch(xcb_generic_event_t* event) {
    for (const EventHandler& handler : handlers_) {
        handler(*event);
    }
    std::free(event);
}

void XcbConnection::processPendingEvents() {
    if (connection_ == nullptr) {
        return;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        dispatch(event);
    }
    xcb_flush(connection_);
    checkConnection();
}

void XcbConnection::processQueuedEvents() {
    if (connection_ == nullptr) {
        return;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_)) {
        dispatch(event);
    }
}

void XcbConnection::checkConnection() {
    // A lost server leaves the socket readable for ever: stop listening instead of spinning.
    if (notifier_ != nullptr && notifier_->isEnabled() &&
        xcb_connection_has_error(connection_) != 0) {
        notifier_->setEnabled(false);
        qWarning("X11: lost the connection to the X server");
    }
}

}  // namespace hushpane::x11
