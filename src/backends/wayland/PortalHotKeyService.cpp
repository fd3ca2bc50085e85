#include "backends/wayland/PortalHotKeyService.h"

#include "backends/wayland/KeyTriggerText.h"
#include "backends/wayland/PortalRequest.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QTimer>

#include <utility>

namespace hushpane::wayland {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString kSessionInterface = QStringLiteral("org.freedesktop.portal.Session");
const QString kTriggerDescription = QStringLiteral("trigger_description");
// The first answer of a portal that is activated on demand can take a while.
constexpr int kVersionTimeoutMs = 5000;
constexpr int kRetries = 25;
constexpr int kRetryDelayMs = 200;

using PortalShortcuts = QList<std::pair<QString, QVariantMap>>;

// The a(sa{sv}) list of a Response or a ShortcutsChanged signal, as id -> trigger description.
QMap<QString, QString> triggersOf(const QVariant& value) {
    QMap<QString, QString> triggers;
    if (!value.canConvert<QDBusArgument>()) {
        return triggers;
    }
    const auto argument = value.value<QDBusArgument>();
    if (argument.currentSignature() != QLatin1String("a(sa{sv})")) {
        return triggers;
    }
    PortalShortcuts shortcuts;
    argument >> shortcuts;
    for (const auto& [id, properties] : std::as_const(shortcuts)) {
        triggers.insert(id, properties.value(kTriggerDescription).toString());
    }
    return triggers;
}

QString pathOf(const QVariant& value) {
    if (value.canConvert<QDBusObjectPath>() && value.typeId() == qMetaTypeId<QDBusObjectPath>()) {
        return value.value<QDBusObjectPath>().path();
    }
    return value.toString();
}

QString shortcutIdFor(CarbonKeyCode keyCode, quint32 modifiers) {
    return QStringLiteral("carbon-%1-%2").arg(keyCode).arg(modifiers);
}

}  // namespace

PortalHotKeyService::PortalHotKeyService(const QDBusConnection& bus, QString description,
                                         QObject* parent)
    : QObject(parent), bus_(bus), description_(std::move(description)) {
    qDBusRegisterMetaType<std::pair<QString, QVariantMap>>();
    qDBusRegisterMetaType<PortalShortcuts>();
    bus_.connect(kService, kPath, kInterface, QStringLiteral("Activated"), this,
                 SLOT(onActivated(QDBusMessage)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("Deactivated"), this,
                 SLOT(onDeactivated(QDBusMessage)));
    bus_.connect(kService, kPath, kInterface, QStringLiteral("ShortcutsChanged"), this,
                 SLOT(onShortcutsChanged(QDBusMessage)));
    portalWatcher_ = new QDBusServiceWatcher(
        kService, bus_,
        QDBusServiceWatcher::WatchForRegistration | QDBusServiceWatcher::WatchForUnregistration,
        this);
    connect(portalWatcher_, &QDBusServiceWatcher::serviceUnregistered, this,
            [this] { portalGone(); });
    connect(portalWatcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (!registrations_.isEmpty()) {
            scheduleBind();
        }
    });
}

PortalHotKeyService::~PortalHotKeyService() {
    closeSession();
}

uint PortalHotKeyService::availableVersion(const QDBusConnection& bus) {
    if (!bus.isConnected()) {
        return 0;
    }
    QDBusMessage get = QDBusMessage::createMethodCall(
        kService, kPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << kInterface << QStringLiteral("version");
    const QDBusMessage reply = bus.call(get, QDBus::Block, kVersionTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
        return 0;
    }
    const QVariant version = reply.arguments().constFirst().value<QDBusVariant>().variant();
    bool ok = false;
    const uint value = version.toUInt(&ok);
    return ok ? value : 0;
}

HotKeyRegistration PortalHotKeyService::registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                                       HotKeyId id) {
    const auto trigger = portalTrigger(keyCode, modifiers);
    if (!trigger || !bus_.isConnected()) {
        return {kEventHotKeyInvalidErr, std::nullopt};
    }
    const HotKeyRef ref = nextRef_++;
    const QString shortcutId = shortcutIdFor(keyCode, modifiers);
    registrations_.insert(ref, Registration{id, shortcutId, *trigger});
    const auto bound = boundTriggers_.constFind(shortcutId);
    if (!binding_ && !session_.isEmpty() && bound != boundTriggers_.cend()) {
        // Bound in this session already (taken back after a menu closed): no new question.
        deliverTrigger(ref, *bound);
    } else {
        scheduleBind();
    }
    return {kHotKeyNoErr, ref};
}

qint32 PortalHotKeyService::unregisterHotKey(HotKeyRef ref) {
    const auto it = registrations_.find(ref);
    if (it == registrations_.end()) {
        return kEventHotKeyInvalidErr;
    }
    const QString shortcutId = it->shortcutId;
    registrations_.erase(it);
    const bool stillUsed =
        std::any_of(registrations_.cbegin(), registrations_.cend(),
                    [&](const Registration& r) { return r.shortcutId == shortcutId; });
    if (!stillUsed) {
        pressed_.remove(shortcutId);
    }
    return kHotKeyNoErr;
}

bool PortalHotKeyService::installEventHandler(EventHandler handler) {
    handler_ = std::move(handler);
    return true;
}

void PortalHotKeyService::addEventTypes(const QList<quint32>& kinds) {
    for (quint32 kind : kinds) {
        eventTypes_.insert(kind);
    }
}

void PortalHotKeyService::removeEventTypes(const QList<quint32>& kinds) {
    for (quint32 kind : kinds) {
        eventTypes_.remove(kind);
    }
}

void PortalHotKeyService::scheduleBind() {
    if (binding_) {
        rebindAfterThis_ = true;
        return;
    }
    if (bindScheduled_) {
        return;
    }
    bindScheduled_ = true;
    // Registrations made in one turn of the event loop share one session.
    QMetaObject::invokeMethod(
        this,
        [this] {
            bindScheduled_ = false;
            if (!registrations_.isEmpty()) {
                createSession();
            }
        },
        Qt::QueuedConnection);
}

void PortalHotKeyService::createSession() {
    closeSession();
    const quint64 generation = ++generation_;
    binding_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("CreateSession"));
    PortalRequest* request = PortalRequest::start(
        bus_, call,
        {{QStringLiteral("session_handle_token"), PortalRequest::newToken(QStringLiteral("s"))}},
        this);
    connect(request, &PortalRequest::finished, this,
            [this, generation](uint response, const QVariantMap& results) {
                if (generation != generation_) {
                    return;
                }
                const QString session = pathOf(results.value(QStringLiteral("session_handle")));
                const bool callFailed = results.contains(QStringLiteral("error"));
                if (callFailed && retries_ < kRetries) {
                    // A portal that just started owns its name before it offers its
                    // interfaces: ask again shortly.
                    ++retries_;
                    binding_ = false;
                    QTimer::singleShot(kRetryDelayMs, this, [this, generation] {
                        if (generation == generation_ && !binding_) {
                            createSession();
                        }
                    });
                    return;
                }
                retries_ = 0;
                if (response != PortalRequest::kSuccess || session.isEmpty()) {
                    qWarning("Global shortcuts portal: no session (%u): %s", response,
                             qPrintable(results.value(QStringLiteral("error")).toString()));
                    binding_ = false;
                    for (const HotKeyRef ref : registrations_.keys()) {
                        refuse(ref, kEventHotKeyInvalidErr);
                    }
                    Q_EMIT bindFinished(response == PortalRequest::kSuccess ? PortalRequest::kFailed
                                                                            : response);
                    return;
                }
                session_ = session;
                bindShortcuts(session);
            });
}

void PortalHotKeyService::bindShortcuts(const QString& session) {
    const quint64 generation = generation_;
    PortalShortcuts shortcuts;
    QSet<QString> asked;
    for (const Registration& registration : std::as_const(registrations_)) {
        if (asked.contains(registration.shortcutId)) {
            continue;
        }
        asked.insert(registration.shortcutId);
        shortcuts.append({registration.shortcutId,
                          {{QStringLiteral("description"), description_},
                           {QStringLiteral("preferred_trigger"), registration.preferredTrigger}}});
    }
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("BindShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session)) << QVariant::fromValue(shortcuts)
         << QString();
    PortalRequest* request = PortalRequest::start(bus_, call, {}, this);
    connect(request, &PortalRequest::finished, this,
            [this, generation, session, asked](uint response, const QVariantMap& results) {
                if (generation != generation_) {
                    return;
                }
                binding_ = false;
                if (response != PortalRequest::kSuccess) {
                    const qint32 status = response == PortalRequest::kCancelled
                                              ? kEventHotKeyExistsErr
                                              : kEventHotKeyInvalidErr;
                    for (const HotKeyRef ref : registrations_.keys()) {
                        if (asked.contains(registrations_.value(ref).shortcutId)) {
                            refuse(ref, status);
                        }
                    }
                } else if (results.contains(QStringLiteral("shortcuts"))) {
                    applyBound(triggersOf(results.value(QStringLiteral("shortcuts"))));
                } else {
                    // Some desktops answer the bind without the list: ask for it.
                    listShortcuts(session);
                    return;
                }
                Q_EMIT bindFinished(response);
                if (std::exchange(rebindAfterThis_, false)) {
                    scheduleBind();
                }
            });
}

void PortalHotKeyService::listShortcuts(const QString& session) {
    const quint64 generation = generation_;
    binding_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("ListShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session));
    PortalRequest* request = PortalRequest::start(bus_, call, {}, this);
    connect(request, &PortalRequest::finished, this,
            [this, generation](uint response, const QVariantMap& results) {
                if (generation != generation_) {
                    return;
                }
                binding_ = false;
                applyBound(response == PortalRequest::kSuccess
                               ? triggersOf(results.value(QStringLiteral("shortcuts")))
                               : QMap<QString, QString>{});
                Q_EMIT bindFinished(response);
                if (std::exchange(rebindAfterThis_, false)) {
                    scheduleBind();
                }
            });
}

void PortalHotKeyService::applyBound(const QMap<QString, QString>& triggers) {
    boundTriggers_ = triggers;
    for (const HotKeyRef ref : registrations_.keys()) {
        const QString trigger = triggers.value(registrations_.value(ref).shortcutId);
        if (trigger.isEmpty()) {
            // The desktop took the shortcut but gave it no keys: it cannot fire.
            boundTriggers_.remove(registrations_.value(ref).shortcutId);
            refuse(ref, kEventHotKeyExistsErr);
        } else {
            deliverTrigger(ref, trigger);
        }
    }
}

void PortalHotKeyService::closeSession() {
    if (session_.isEmpty()) {
        return;
    }
    bus_.send(QDBusMessage::createMethodCall(kService, session_, kSessionInterface,
                                             QStringLiteral("Close")));
    session_.clear();
    boundTriggers_.clear();
    pressed_.clear();
}

void PortalHotKeyService::portalGone() {
    // Its sessions went with it; answers still on their way belong to none of ours.
    ++generation_;
    binding_ = false;
    rebindAfterThis_ = false;
    session_.clear();
    boundTriggers_.clear();
    pressed_.clear();
    for (const HotKeyRef ref : registrations_.keys()) {
        deliverTrigger(ref, QString());
    }
}

void PortalHotKeyService::onActivated(const QDBusMessage& message) {
    onKey(message, HotKeyEventKind::hotKeyPressed);
}

void PortalHotKeyService::onDeactivated(const QDBusMessage& message) {
    onKey(message, HotKeyEventKind::hotKeyReleased);
}

void PortalHotKeyService::onKey(const QDBusMessage& message, quint32 kind) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || session_.isEmpty() || pathOf(arguments.at(0)) != session_) {
        return;
    }
    const QString shortcutId = arguments.at(1).toString();
    if (kind == HotKeyEventKind::hotKeyPressed) {
        // A second activation without a deactivation is the key repeating.
        if (pressed_.contains(shortcutId)) {
            return;
        }
        pressed_.insert(shortcutId);
    } else if (!pressed_.remove(shortcutId)) {
        return;
    }
    for (auto it = registrations_.cbegin(); it != registrations_.cend(); ++it) {
        if (it->shortcutId == shortcutId) {
            HotKeyEvent event;
            event.kind = kind;
            event.hotKeyId = it->id;
            deliver(event);
        }
    }
}

void PortalHotKeyService::onShortcutsChanged(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() < 2 || session_.isEmpty() || pathOf(arguments.at(0)) != session_) {
        return;
    }
    const QMap<QString, QString> changed = triggersOf(arguments.at(1));
    for (auto change = changed.cbegin(); change != changed.cend(); ++change) {
        boundTriggers_.insert(change.key(), change.value());
        for (auto it = registrations_.cbegin(); it != registrations_.cend(); ++it) {
            if (it->shortcutId == change.key()) {
                deliverTrigger(it.key(), change.value());
            }
        }
    }
}

void PortalHotKeyService::deliverTrigger(HotKeyRef ref, const QString& trigger) {
    HotKeyEvent event;
    event.kind = HotKeyEventKind::hotKeyTriggerChanged;
    event.hotKeyId = registrations_.value(ref).id;
    event.trigger = trigger;
    deliver(event);
}

void PortalHotKeyService::refuse(HotKeyRef ref, qint32 status) {
    HotKeyEvent event;
    event.kind = HotKeyEventKind::hotKeyRefused;
    event.hotKeyId = registrations_.value(ref).id;
    event.status = status;
    registrations_.remove(ref);
    deliver(event);
}

void PortalHotKeyService::deliver(const HotKeyEvent& event) {
    // One turn later: the caller may be in the middle of registering, and actions may do
    // anything, including registering again.
    QPointer<PortalHotKeyService> self(this);
    QMetaObject::invokeMethod(
        this,
        [self, event] {
            if (!self || !self->handler_) {
                return;
            }
            const bool isStatus = event.kind == HotKeyEventKind::hotKeyRefused ||
                                  event.kind == HotKeyEventKind::hotKeyTriggerChanged;
            if (!isStatus && !self->eventTypes_.contains(event.kind)) {
                return;
            }
            const EventHandler handler = self->handler_;
            handler(event);
        },
        Qt::QueuedConnection);
}

}  // namespace hushpane::wayland
