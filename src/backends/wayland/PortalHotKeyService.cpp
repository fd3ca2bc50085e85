#include "backends/wayland/PortalHotKeyService.h"

#include "backends/wayland/KeyTriggerText.h"
#include "backends/wayland/PortalRequest.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
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
const QString kRegistryInterface = QStringLiteral("org.freedesktop.host.portal.Registry");
// The first answer of a portal that is activated on demand can take a while.
constexpr int kVersionTimeoutMs = 5000;
constexpr int kRetries = 25;
constexpr int kRetryDelayMs = 200;
constexpr int kUnansweredMs = 20000;

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

QString shortcutIdFor(const HotKeyId& id, CarbonKeyCode keyCode, quint32 modifiers) {
    if (!id.purpose.isEmpty()) {
        return id.purpose;
    }
    return QStringLiteral("carbon-%1-%2").arg(keyCode).arg(modifiers);
}

// Errors that mean the portal has no registry (older than 1.19.3): nothing to report.
bool isMissingRegistry(const QDBusError& error) {
    return error.type() == QDBusError::UnknownMethod ||
           error.type() == QDBusError::UnknownInterface ||
           error.type() == QDBusError::UnknownObject;
}

}  // namespace

PortalHotKeyService::PortalHotKeyService(const QDBusConnection& bus, QString description,
                                         QString appId, QObject* parent)
    : QObject(parent), bus_(bus), description_(std::move(description)), appId_(std::move(appId)) {
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
    const QString shortcutId = shortcutIdFor(id, keyCode, modifiers);
    registrations_.insert(ref, Registration{id, shortcutId, *trigger, keyCode, modifiers});
    const auto asked = askedTriggers_.constFind(shortcutId);
    if (asked != askedTriggers_.cend() && *asked != *trigger) {
        // The user recorded other keys for the same purpose.
        newKeys_.insert(shortcutId);
    }
    askedTriggers_.insert(shortcutId, *trigger);
    const auto answer = answers_.constFind(shortcutId);
    if (!binding_ && !session_.isEmpty() && answer != answers_.cend() &&
        !newKeys_.contains(shortcutId)) {
        // Answered in this session already (taken back after a menu closed): no new question,
        // also not where the desktop bound nothing.
        deliverTrigger(ref, *answer);
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

void PortalHotKeyService::askAgain() {
    if (configurable_ && !session_.isEmpty() && !binding_) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                           QStringLiteral("ConfigureShortcuts"));
        call << QVariant::fromValue(QDBusObjectPath(session_)) << QString() << QVariantMap();
        auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call), this);
        connect(watcher, &QDBusPendingCallWatcher::finished, this,
                [this](QDBusPendingCallWatcher* finished) {
                    finished->deleteLater();
                    // The desktop reports what the user set through ShortcutsChanged; a
                    // back-end without the dialog gets the question once more instead.
                    if (finished->isError()) {
                        configurable_ = false;
                        askAgain();
                    }
                });
        return;
    }
    bool unbound = false;
    for (const Registration& registration : std::as_const(registrations_)) {
        if (answers_.value(registration.shortcutId).isEmpty()) {
            newKeys_.insert(registration.shortcutId);
            unbound = true;
        }
    }
    if (unbound) {
        scheduleBind();
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
                start();
            }
        },
        Qt::QueuedConnection);
}

void PortalHotKeyService::start() {
    closeSession();
    const quint64 generation = ++generation_;
    binding_ = true;
    // Keys recorded while this bind runs are asked for in the next one.
    newKeysAsked_ = newKeys_;
    if (!appId_.isEmpty() && !registryAsked_) {
        registerAppId(generation);
    } else {
        createSession(generation);
    }
}

void PortalHotKeyService::registerAppId(quint64 generation) {
    registryAsked_ = true;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kRegistryInterface,
                                                       QStringLiteral("Register"));
    call << appId_ << QVariantMap();
    auto* watcher = new QDBusPendingCallWatcher(bus_.asyncCall(call, kVersionTimeoutMs), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, generation](QDBusPendingCallWatcher* finished) {
                finished->deleteLater();
                const QDBusPendingReply<> reply = *finished;
                if (generation != generation_) {
                    return;
                }
                if (reply.isError()) {
                    // The desktop then files the shortcuts under a name of the portal's own.
                    if (!isMissingRegistry(reply.error())) {
                        qWarning("Global shortcuts portal: couldn't register as %s: %s",
                                 qPrintable(appId_), qPrintable(reply.error().message()));
                    }
                } else {
                    registered_ = true;
                }
                createSession(generation);
            });
}

void PortalHotKeyService::createSession(quint64 generation) {
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
                    QTimer::singleShot(kRetryDelayMs, this, [this, generation] {
                        if (generation == generation_) {
                            createSession(generation);
                        }
                    });
                    return;
                }
                retries_ = 0;
                if (response != PortalRequest::kSuccess || session.isEmpty()) {
                    qWarning("Global shortcuts portal: no session (%u): %s", response,
                             qPrintable(results.value(QStringLiteral("error")).toString()));
                    finishBind(
                        response == PortalRequest::kSuccess ? PortalRequest::kFailed : response,
                        {});
                    return;
                }
                session_ = session;
                listShortcuts(session, generation);
            });
}

PortalRequest* PortalHotKeyService::requestShortcutList(const QString& session) {
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                       QStringLiteral("ListShortcuts"));
    call << QVariant::fromValue(QDBusObjectPath(session));
    return PortalRequest::start(bus_, call, {}, this);
}

void PortalHotKeyService::listShortcuts(const QString& session, quint64 generation) {
    connect(requestShortcutList(session), &PortalRequest::finished, this,
            [this, generation, session](uint response, const QVariantMap& results) {
                if (generation != generation_) {
                    return;
                }
                // What the desktop holds for this program already, from an earlier run.
                answers_ = response == PortalRequest::kSuccess
                               ? triggersOf(results.value(QStringLiteral("shortcuts")))
                               : QMap<QString, QString>{};
                const bool rekeyed = rekeyHeldShortcuts(answers_);
                const bool needsBind = std::any_of(
                    registrations_.cbegin(), registrations_.cend(), [&](const Registration& r) {
                        return !answers_.contains(r.shortcutId) || newKeys_.contains(r.shortcutId);
                    });
                if (needsBind) {
                    bindShortcuts(session, generation);
                } else {
                    finishBind(rekeyed ? PortalRequest::kSuccess : response, answers_);
                }
            });
}

bool PortalHotKeyService::rekeyHeldShortcuts(const QMap<QString, QString>& triggers) {
    if (!rekey_ || !registered_) {
        return false;
    }
    bool any = false;
    for (const Registration& registration : std::as_const(registrations_)) {
        const QString& id = registration.shortcutId;
        if (newKeys_.contains(id) && triggers.contains(id) &&
            rekey_(appId_, id, description_, registration.keyCode, registration.modifiers)) {
            // The desktop reports the new keys through ShortcutsChanged.
            newKeys_.remove(id);
            any = true;
        }
    }
    return any;
}

void PortalHotKeyService::bindShortcuts(const QString& session, quint64 generation) {
    PortalShortcuts shortcuts;
    QSet<QString> asked;
    // Every shortcut of the program in one call: some desktops drop the ones a bind leaves out.
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
    // A desktop that asks the user may wait for good: until it answers, the shortcuts it does
    // not hold with keys count as unbound, so the settings say where to set them.
    QTimer::singleShot(kUnansweredMs, this, [this, generation] {
        if (generation != generation_ || !binding_) {
            return;
        }
        for (auto it = registrations_.cbegin(); it != registrations_.cend(); ++it) {
            if (answers_.value(it->shortcutId).isEmpty()) {
                deliverTrigger(it.key(), QString());
            }
        }
    });
    connect(request, &PortalRequest::finished, this,
            [this, generation, session](uint response, const QVariantMap& results) {
                if (generation != generation_) {
                    return;
                }
                if (response != PortalRequest::kSuccess) {
                    // What the desktop held before stays bound.
                    finishBind(response, answers_);
                    return;
                }
                if (results.contains(QStringLiteral("shortcuts"))) {
                    finishBind(response, triggersOf(results.value(QStringLiteral("shortcuts"))));
                    return;
                }
                // Some desktops answer the bind without the list: ask for it.
                connect(requestShortcutList(session), &PortalRequest::finished, this,
                        [this, generation](uint listResponse, const QVariantMap& listResults) {
                            if (generation != generation_) {
                                return;
                            }
                            finishBind(
                                listResponse,
                                listResponse == PortalRequest::kSuccess
                                    ? triggersOf(listResults.value(QStringLiteral("shortcuts")))
                                    : answers_);
                        });
            });
}

void PortalHotKeyService::finishBind(uint response, const QMap<QString, QString>& triggers) {
    binding_ = false;
    answers_ = triggers;
    newKeys_.subtract(newKeysAsked_);
    newKeysAsked_.clear();
    QStringList unbound;
    for (auto it = registrations_.cbegin(); it != registrations_.cend(); ++it) {
        const QString trigger = triggers.value(it->shortcutId);
        answers_.insert(it->shortcutId, trigger);
        if (trigger.isEmpty() && !unbound.contains(it->shortcutId)) {
            unbound.append(it->shortcutId);
        }
        deliverTrigger(it.key(), trigger);
    }
    if (!unbound.isEmpty()) {
        // Asked again only for new keys, on the user's request, or when the desktop binds it.
        qWarning("Global shortcuts portal: the desktop bound no keys to %s (answer %u)",
                 qPrintable(unbound.join(QStringLiteral(", "))), response);
    }
    Q_EMIT bindFinished(response);
    if (std::exchange(rebindAfterThis_, false)) {
        scheduleBind();
    }
}

void PortalHotKeyService::closeSession() {
    if (session_.isEmpty()) {
        return;
    }
    bus_.send(QDBusMessage::createMethodCall(kService, session_, kSessionInterface,
                                             QStringLiteral("Close")));
    session_.clear();
    answers_.clear();
    pressed_.clear();
}

void PortalHotKeyService::portalGone() {
    // Its sessions went with it; answers still on their way belong to none of ours. A new
    // portal knows nothing of this program: it is told the application id again.
    ++generation_;
    binding_ = false;
    rebindAfterThis_ = false;
    registryAsked_ = false;
    registered_ = false;
    session_.clear();
    answers_.clear();
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
        answers_.insert(change.key(), change.value());
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
