#include "backends/pipewire/PipeWireScreenCasts.h"

#include "backends/pipewire/PipeWireSession.h"

#include "common/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSocketNotifier>

#include <pipewire/pipewire.h>

#include <cerrno>
#include <map>
#include <mutex>

// libpipewire 0.3's method macros (pw_core_sync, pw_registry_bind, ...) cast in C style inside
// this file's code, where 1.x has inline functions.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wold-style-cast"

namespace hushpane::pipewire {

namespace {

QString dictValue(const spa_dict* props, const char* key) {
    const char* value = props != nullptr ? spa_dict_lookup(props, key) : nullptr;
    return value != nullptr ? QString::fromUtf8(value) : QString();
}

// libpipewire calls back through C: nothing may leave a callback by an exception.
template <typename Fn>
void guarded(const char* where, Fn&& fn) noexcept {
    try {
        fn();
    } catch (const std::exception& e) {
        qCWarning(lcDesktop) << "PipeWire:" << where << "failed:" << e.what();
    } catch (...) {
        qCWarning(lcDesktop) << "PipeWire:" << where << "failed";
    }
}

// Calls into libpipewire happen on the loop's thread, between enter and leave.
class LoopEntered {
public:
    explicit LoopEntered(pw_loop* loop) : loop_(loop) { pw_loop_enter(loop_); }
    ~LoopEntered() { pw_loop_leave(loop_); }
    LoopEntered(const LoopEntered&) = delete;
    LoopEntered& operator=(const LoopEntered&) = delete;

private:
    pw_loop* loop_;
};

}  // namespace

// One connection to the daemon: its loop, the registry, and the video nodes bound to read their
// names. Lives from connectToDaemon() to disconnectFromDaemon().
struct PipeWireScreenCasts::Connection {
    struct BoundNode {
        Connection* connection = nullptr;
        quint32 id = 0;
        pw_proxy* proxy = nullptr;
        spa_hook nodeListener{};
    };

    explicit Connection(PipeWireScreenCasts* trigger) : owner(trigger) {}
    ~Connection() { close(); }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool open();
    void close();
    void dispatch();
    void sync();
    void bindNode(quint32 id);

    static void onCoreDone(void* data, uint32_t id, int seq) noexcept;
    static void onCoreError(void* data, uint32_t id, int seq, int res,
                            const char* message) noexcept;
    static void onGlobal(void* data, uint32_t id, uint32_t permissions, const char* type,
                         uint32_t version, const spa_dict* props) noexcept;
    static void onGlobalRemove(void* data, uint32_t id) noexcept;
    static void onNodeInfo(void* data, const pw_node_info* info) noexcept;
    static const pw_core_events* coreEvents();
    static const pw_registry_events* registryEvents();
    static const pw_node_events* nodeEvents();

    PipeWireScreenCasts* owner;
    pw_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    pw_registry* registry = nullptr;
    spa_hook coreListener{};
    spa_hook registryListener{};
    std::map<quint32, std::unique_ptr<BoundNode>> nodes;
    std::unique_ptr<QSocketNotifier> notifier;
    int pendingSync = -1;
    bool boundSinceSync = false;
    bool gone = false;
};

const pw_core_events* PipeWireScreenCasts::Connection::coreEvents() {
    static const pw_core_events events = [] {
        pw_core_events e{};
        e.version = PW_VERSION_CORE_EVENTS;
        e.done = &onCoreDone;
        e.error = &onCoreError;
        return e;
    }();
    return &events;
}

const pw_registry_events* PipeWireScreenCasts::Connection::registryEvents() {
    static const pw_registry_events events = [] {
        pw_registry_events e{};
        e.version = PW_VERSION_REGISTRY_EVENTS;
        e.global = &onGlobal;
        e.global_remove = &onGlobalRemove;
        return e;
    }();
    return &events;
}

const pw_node_events* PipeWireScreenCasts::Connection::nodeEvents() {
    static const pw_node_events events = [] {
        pw_node_events e{};
        e.version = PW_VERSION_NODE_EVENTS;
        e.info = &onNodeInfo;
        return e;
    }();
    return &events;
}

bool PipeWireScreenCasts::Connection::open() {
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });

    loop = pw_loop_new(nullptr);
    if (loop == nullptr) {
        qCWarning(lcDesktop) << "PipeWire: no loop:" << qt_error_string(errno);
        return false;
    }
    const LoopEntered entered(loop);
    context = pw_context_new(loop, nullptr, 0);
    if (context == nullptr) {
        qCWarning(lcDesktop) << "PipeWire: no context:" << qt_error_string(errno);
        return false;
    }
    core = pw_context_connect(context, nullptr, 0);
    if (core == nullptr) {
        qCInfo(lcDesktop) << "PipeWire: daemon not reached:" << qt_error_string(errno);
        return false;
    }
    pw_core_add_listener(core, &coreListener, coreEvents(), this);
    registry = pw_core_get_registry(core, PW_VERSION_REGISTRY, 0);
    if (registry == nullptr) {
        return false;
    }
    pw_registry_add_listener(registry, &registryListener, registryEvents(), this);
    pendingSync = pw_core_sync(core, PW_ID_CORE, 0);

    notifier = std::make_unique<QSocketNotifier>(pw_loop_get_fd(loop), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, owner, [this] { dispatch(); });
    return true;
}

void PipeWireScreenCasts::Connection::close() {
    notifier.reset();
    if (loop == nullptr) {
        return;
    }
    {
        const LoopEntered entered(loop);
        for (auto& [id, node] : nodes) {
            spa_hook_remove(&node->nodeListener);
            pw_proxy_destroy(node->proxy);
        }
        nodes.clear();
        if (registry != nullptr) {
            spa_hook_remove(&registryListener);
            pw_proxy_destroy(reinterpret_cast<pw_proxy*>(registry));
            registry = nullptr;
        }
        if (core != nullptr) {
            spa_hook_remove(&coreListener);
            pw_core_disconnect(core);
            core = nullptr;
        }
        if (context != nullptr) {
            pw_context_destroy(context);
            context = nullptr;
        }
    }
    pw_loop_destroy(loop);
    loop = nullptr;
}

void PipeWireScreenCasts::Connection::dispatch() {
    const LoopEntered entered(loop);
    pw_loop_iterate(loop, 0);
}

void PipeWireScreenCasts::Connection::sync() {
    boundSinceSync = false;
    pendingSync = pw_core_sync(core, PW_ID_CORE, pendingSync);
}

void PipeWireScreenCasts::Connection::bindNode(quint32 id) {
    auto* proxy = static_cast<pw_proxy*>(
        pw_registry_bind(registry, id, PW_TYPE_INTERFACE_Node, PW_VERSION_NODE, 0));
    if (proxy == nullptr) {
        return;
    }
    auto node = std::make_unique<BoundNode>();
    node->connection = this;
    node->id = id;
    node->proxy = proxy;
    pw_node_add_listener(reinterpret_cast<pw_node*>(proxy), &node->nodeListener, nodeEvents(),
                         node.get());
    nodes[id] = std::move(node);
    boundSinceSync = true;
}

void PipeWireScreenCasts::Connection::onCoreDone(void* data, uint32_t id, int seq) noexcept {
    auto* self = static_cast<Connection*>(data);
    guarded("done", [&] {
        if (self->gone || id != PW_ID_CORE || seq != self->pendingSync) {
            return;
        }
        // Nodes bound during the round trip answer with their names only after it: one more.
        if (self->boundSinceSync) {
            self->sync();
            return;
        }
        self->pendingSync = -1;
        self->owner->markSettled();
    });
}

void PipeWireScreenCasts::Connection::onCoreError(void* data, uint32_t id, int /*seq*/, int res,
                                                  const char* message) noexcept {
    auto* self = static_cast<Connection*>(data);
    guarded("error", [&] {
        if (id != PW_ID_CORE || self->gone) {
            return;  // a node that left before it was bound
        }
        qCInfo(lcDesktop) << "PipeWire: connection lost:" << message << res;
        self->gone = true;
        // The connection is torn down outside libpipewire's call.
        QMetaObject::invokeMethod(self->owner, &PipeWireScreenCasts::onDaemonGone,
                                  Qt::QueuedConnection);
    });
}

void PipeWireScreenCasts::Connection::onGlobal(void* data, uint32_t id, uint32_t /*permissions*/,
                                               const char* type, uint32_t /*version*/,
                                               const spa_dict* props) noexcept {
    auto* self = static_cast<Connection*>(data);
    guarded("global", [&] {
        if (self->gone || type == nullptr) {
            return;
        }
        if (qstrcmp(type, PW_TYPE_INTERFACE_Node) == 0) {
            const QString mediaClass = dictValue(props, PW_KEY_MEDIA_CLASS);
            // Only a video producer can be a cast; its full names come with its info.
            if (mediaClass == QLatin1String("Stream/Output/Video") ||
                mediaClass == QLatin1String("Video/Source")) {
                self->bindNode(id);
            }
        } else if (qstrcmp(type, PW_TYPE_INTERFACE_Link) == 0) {
            bool outputOk = false;
            bool inputOk = false;
            const quint32 output = dictValue(props, PW_KEY_LINK_OUTPUT_NODE).toUInt(&outputOk);
            const quint32 input = dictValue(props, PW_KEY_LINK_INPUT_NODE).toUInt(&inputOk);
            if (outputOk && inputOk) {
                self->owner->graph_.addLink(id, output, input);
                self->owner->update();
            }
        }
    });
}

void PipeWireScreenCasts::Connection::onGlobalRemove(void* data, uint32_t id) noexcept {
    auto* self = static_cast<Connection*>(data);
    guarded("global_remove", [&] {
        if (self->gone) {
            return;
        }
        if (const auto found = self->nodes.find(id); found != self->nodes.end()) {
            spa_hook_remove(&found->second->nodeListener);
            pw_proxy_destroy(found->second->proxy);
            self->nodes.erase(found);
        }
        self->owner->graph_.remove(id);
        self->owner->update();
    });
}

void PipeWireScreenCasts::Connection::onNodeInfo(void* data, const pw_node_info* info) noexcept {
    auto* node = static_cast<BoundNode*>(data);
    guarded("node info", [&] {
        Connection* self = node->connection;
        if (self->gone || info == nullptr || (info->change_mask & PW_NODE_CHANGE_MASK_PROPS) == 0) {
            return;
        }
        const auto kind = ScreenCastGraph::classify(dictValue(info->props, PW_KEY_MEDIA_CLASS),
                                                    dictValue(info->props, PW_KEY_NODE_NAME),
                                                    dictValue(info->props, PW_KEY_MEDIA_NAME));
        self->owner->graph_.setNode(node->id, kind);
        self->owner->update();
    });
}

PipeWireScreenCasts::PipeWireScreenCasts(QObject* parent) : HideTrigger(parent) {}

PipeWireScreenCasts::~PipeWireScreenCasts() = default;

void PipeWireScreenCasts::start() {
    if (started_) {
        return;
    }
    started_ = true;
    connectToDaemon();
}

void PipeWireScreenCasts::stop() {
    if (!started_) {
        return;
    }
    started_ = false;
    watchRuntimeDirectory(false);
    disconnectFromDaemon();
    settled_ = false;
}

bool PipeWireScreenCasts::isActive() const {
    return active_;
}

bool PipeWireScreenCasts::isSettled() const {
    return settled_;
}

std::optional<QString> PipeWireScreenCasts::unavailableReason() const {
    return PipeWireSession::unavailableReason();
}

std::optional<QString> PipeWireScreenCasts::limitation() const {
    return PipeWireSession::limitation();
}

void PipeWireScreenCasts::connectToDaemon() {
    if (QFileInfo::exists(PipeWireSession::socketPath())) {
        connection_ = std::make_unique<Connection>(this);
        if (connection_->open()) {
            // Settles after the first round trip; a daemon that leaves says so on the socket.
            watchRuntimeDirectory(false);
            return;
        }
        connection_.reset();
    }
    // Nothing to reach: inactive, known at once, until the daemon's socket appears.
    watchRuntimeDirectory(true);
    markSettled();
}

void PipeWireScreenCasts::disconnectFromDaemon() {
    connection_.reset();
    graph_.clear();
    update();
}

void PipeWireScreenCasts::onDaemonGone() {
    if (connection_ == nullptr || !connection_->gone) {
        return;
    }
    disconnectFromDaemon();
    // A daemon restarted before this was noticed has its socket back already.
    connectToDaemon();
}

void PipeWireScreenCasts::watchRuntimeDirectory(bool watch) {
    // Watched only while disconnected: the directory holds other programs' sockets too, whose
    // changes would otherwise wake Hushpane for nothing.
    if (!watch) {
        delete watcher_;
        watcher_ = nullptr;
        return;
    }
    const QString socket = PipeWireSession::socketPath();
    if (watcher_ != nullptr || socket.isEmpty()) {
        return;
    }
    watcher_ = new QFileSystemWatcher(this);
    if (!watcher_->addPath(QFileInfo(socket).absolutePath())) {
        qCWarning(lcDesktop) << "PipeWire: cannot watch" << QFileInfo(socket).absolutePath()
                             << "for the daemon to come back";
    }
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this,
            &PipeWireScreenCasts::onRuntimeDirectoryChanged);
}

void PipeWireScreenCasts::onRuntimeDirectoryChanged() {
    if (started_ && connection_ == nullptr && QFileInfo::exists(PipeWireSession::socketPath())) {
        connectToDaemon();
    }
}

void PipeWireScreenCasts::update() {
    const bool active = started_ && settled_ && graph_.isActive();
    if (active != active_) {
        active_ = active;
        Q_EMIT activeChanged(active_);
    }
}

void PipeWireScreenCasts::markSettled() {
    if (settled_) {
        return;
    }
    settled_ = true;
    Q_EMIT settled();
    update();
}

}  // namespace hushpane::pipewire

#pragma GCC diagnostic pop
