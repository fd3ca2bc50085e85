#include "backends/linux/LinuxApplicationPlatform.h"

#include <QApplication>
#include <QDBusConnection>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <array>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include <sys/socket.h>
#include <unistd.h>

namespace hushpane {

namespace {

// Signal handlers may only write to a descriptor; the event loop reads the other end.
int g_signalPipe[2] = {-1, -1};

void onSignal(int signal) {
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_signalPipe[1], &byte, 1);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    free(reply);
    return a;
}

}  // namespace

LinuxApplicationPlatform::LinuxApplicationPlatform(QObject* parent)
    : LinuxApplicationPlatform(QDBusConnection::systemBus(), SessionEndState::kSaveGrace, parent) {}

LinuxApplicationPlatform::LinuxApplicationPlatform(const QDBusConnection& logind,
                                                   std::chrono::milliseconds saveGrace,
                                                   QObject* parent)
    : ApplicationPlatform(parent), sessionEnd_(saveGrace) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalPipe) == 0) {
        signalNotifier_ = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, this);
        connect(signalNotifier_, &QSocketNotifier::activated, this,
                &LinuxApplicationPlatform::readSignal);
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        for (const int s : {SIGTERM, SIGHUP, SIGINT}) {
            ::sigaction(s, &action, nullptr);
        }
    }
    if (qGuiApp) {
        connect(qGuiApp, &QGuiApplication::commitDataRequest, this,
                [this](QSessionManager&) { sessionSaveRequested(); });
        qGuiApp->installEventFilter(this);
    }
    QDBusConnection(logind).connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForShutdown"),
        this, SLOT(prepareForShutdown(bool)));
}

LinuxApplicationPlatform::~LinuxApplicationPlatform() {
    for (const int s : {SIGTERM, SIGHUP, SIGINT}) {
        std::signal(s, SIG_DFL);
    }
}

void LinuxApplicationPlatform::prepareForShutdown(bool starting) {
    // false: the shutdown was cancelled, and a quit from now on is the user's again.
    sessionEnd_.prepareForShutdown(starting);
}

void LinuxApplicationPlatform::readSignal() {
    char byte = 0;
    if (::read(g_signalPipe[0], &byte, 1) != 1) {
        return;
    }
    if (byte == SIGTERM) {
        sessionEnd_.terminated();
    }
    Q_EMIT terminationRequested();
}

void LinuxApplicationPlatform::setActivationPolicy(ActivationPolicy policy) {
    policy_ = policy;
    if (!qGuiApp) {
        return;
    }
    for (QWindow* window : qGuiApp->topLevelWindows()) {
        // A shown window has asked to be mapped even while it is not exposed yet (right after
        // show()), and the window manager may already have read its state: it has to be told.
        if (window->handle()) {
            applyPolicy(window, window->isVisible());
        }
    }
}

void LinuxApplicationPlatform::activate() {
    const QWidgetList widgets = QApplication::topLevelWidgets();
    for (QWidget* w : widgets) {
        if (w->isVisible() && !w->isMinimized() && w->isWindow()) {
            w->raise();
            w->activateWindow();
        }
    }
}

bool LinuxApplicationPlatform::eventFilter(QObject* watched, QEvent* event) {
    // Windows shown later follow the policy too.
    // A window is shown before it is mapped, so its state is still ours to write.
    if (event->type() == QEvent::Show) {
        if (auto* window = qobject_cast<QWindow*>(watched); window && window->isTopLevel()) {
            applyPolicy(window, false);
        }
    }
    return ApplicationPlatform::eventFilter(watched, event);
}

void LinuxApplicationPlatform::applyPolicy(QWindow* window, bool mapped) {
    // The task-bar hint is an X11 window state; a Wayland compositor decides that itself.
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        return;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window->handle() || window->type() == Qt::Popup || window->type() == Qt::ToolTip) {
        return;
    }
    xcb_connection_t* c = x11->connection();
    const auto id = static_cast<xcb_window_t>(window->winId());
    static const xcb_atom_t state = atom(c, "_NET_WM_STATE");
    static const std::array<xcb_atom_t, 2> skips{atom(c, "_NET_WM_STATE_SKIP_TASKBAR"),
                                                 atom(c, "_NET_WM_STATE_SKIP_PAGER")};
    const bool skip = policy_ == ActivationPolicy::accessory;

    // The window's own list of states, with ours added or taken out; the window manager reads
    // it when the window is mapped.
    QList<xcb_atom_t> states;
    if (xcb_get_property_reply_t* reply = xcb_get_property_reply(
            c, xcb_get_property(c, 0, id, state, XCB_ATOM_ATOM, 0, 1024), nullptr)) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / int(sizeof(xcb_atom_t));
        for (int i = 0; i < count; ++i) {
            if (atoms[i] != skips[0] && atoms[i] != skips[1]) {
                states.append(atoms[i]);
            }
        }
        free(reply);
    }
    if (skip) {
        states.append(skips[0]);
        states.append(skips[1]);
    }
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(states.size()), states.constData());

    if (mapped) {
        // A mapped window asks the window manager instead (add = 1, remove = 0). A manager that
        // has not read the state yet reads the property above; one that has gets this message
        // after the map request, in the order it was sent.
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = id;
        message.type = state;
        message.data.data32[0] = skip ? 1 : 0;
        message.data.data32[1] = skips[0];
        message.data.data32[2] = skips[1];
        message.data.data32[3] = 1;
        xcb_send_event(c, 0, screen->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
    }
    xcb_flush(c);
}

}  // namespace hushpane
