#include "backends/x11/X11ProcessWindows.h"

#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace hushpane {

namespace {

// A window manager puts a client two levels down at most (frame, wrapper); a deeper tree is
// not a client's.
constexpr int kMaxDepth = 3;

template <typename T>
using Reply = std::unique_ptr<T, decltype(&free)>;

xcb_atom_t atom(xcb_connection_t* connection, const QByteArray& name) {
    const Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            connection,
            xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.constData()),
            nullptr),
        &free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

struct Atoms {
    xcb_atom_t pid = XCB_ATOM_NONE;
    xcb_atom_t type = XCB_ATOM_NONE;
    xcb_atom_t desktop = XCB_ATOM_NONE;
};

// The first 32-bit value of a window's property, when it has one.
std::optional<quint32> cardinal(xcb_connection_t* connection, xcb_window_t window,
                                xcb_atom_t property, xcb_atom_t type) {
    if (property == XCB_ATOM_NONE) {
        return std::nullopt;
    }
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, window, property, type, 0, 1), nullptr),
        &free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
        return std::nullopt;
    }
    return *static_cast<const quint32*>(xcb_get_property_value(reply.get()));
}

int countIn(xcb_connection_t* connection, xcb_window_t parent, const Atoms& atoms, quint32 pid,
            int depth) {
    const Reply<xcb_query_tree_reply_t> tree(
        xcb_query_tree_reply(connection, xcb_query_tree(connection, parent), nullptr), &free);
    if (!tree) {
        return 0;
    }
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    int found = 0;
    for (int i = 0; i < count; ++i) {
        const xcb_window_t window = children[i];
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(connection,
                                            xcb_get_window_attributes(connection, window), nullptr),
            &free);
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) {
            continue;
        }
        if (cardinal(connection, window, atoms.pid, XCB_ATOM_CARDINAL) == pid) {
            if (cardinal(connection, window, atoms.type, XCB_ATOM_ATOM) != atoms.desktop) {
                ++found;
            }
        } else if (depth < kMaxDepth) {
            found += countIn(connection, window, atoms, pid, depth + 1);
        }
    }
    return found;
}

}  // namespace

std::optional<int> X11ProcessWindows::openWindows(qint64 pid) {
    if (pid <= 0 || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
        qEnvironmentVariableIsEmpty("DISPLAY")) {
        return std::nullopt;
    }
    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection(
        xcb_connect(nullptr, nullptr), &xcb_disconnect);
    if (xcb_connection_has_error(connection.get()) != 0) {
        return std::nullopt;
    }
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data;
    if (!screen) {
        return std::nullopt;
    }
    const Atoms atoms{atom(connection.get(), QByteArrayLiteral("_NET_WM_PID")),
                      atom(connection.get(), QByteArrayLiteral("_NET_WM_WINDOW_TYPE")),
                      atom(connection.get(), QByteArrayLiteral("_NET_WM_WINDOW_TYPE_DESKTOP"))};
    return countIn(connection.get(), screen->root, atoms, static_cast<quint32>(pid), 1);
}

}  // namespace hushpane
