#include "fakes/InMemoryHotKeyService.h"

namespace hushpane::test {

HotKeyRegistration InMemoryHotKeyService::registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                                         HotKeyId id) {
    ++registerCount;
    const auto refusal = refused.constFind({keyCode, modifiers});
    if (refusal != refused.cend()) {
        return {*refusal, std::nullopt};
    }
    const HotKeyRef ref = nextRef_++;
    registrations.insert(ref, Registration{keyCode, modifiers, id});
    return {kHotKeyNoErr, ref};
}

qint32 InMemoryHotKeyService::unregisterHotKey(HotKeyRef ref) {
    ++unregisterCount;
    return registrations.remove(ref) > 0 ? kHotKeyNoErr : kEventHotKeyInvalidErr;
}

bool InMemoryHotKeyService::installEventHandler(EventHandler handler) {
    if (failInstallEventHandler) {
        return false;
    }
    handler_ = std::move(handler);
    return true;
}

void InMemoryHotKeyService::addEventTypes(const QList<quint32>& kinds) {
    for (quint32 kind : kinds) {
        eventTypes_.insert(kind);
    }
}

void InMemoryHotKeyService::removeEventTypes(const QList<quint32>& kinds) {
    for (quint32 kind : kinds) {
        eventTypes_.remove(kind);
    }
}

int InMemoryHotKeyService::deliverToCombination(quint32 kind, CarbonKeyCode keyCode,
                                                quint32 modifiers) {
    int delivered = 0;
    // Copy: the handler may register or unregister.
    const auto current = registrations;
    for (const Registration& r : current) {
        if (r.keyCode == keyCode && r.modifiers == modifiers) {
            HotKeyEvent event;
            event.kind = kind;
            event.hotKeyId = r.id;
            if (deliver(event)) {
                ++delivered;
            }
        }
    }
    return delivered;
}

int InMemoryHotKeyService::press(CarbonKeyCode keyCode, quint32 modifiers) {
    return deliverToCombination(HotKeyEventKind::hotKeyPressed, keyCode, modifiers);
}

int InMemoryHotKeyService::release(CarbonKeyCode keyCode, quint32 modifiers) {
    return deliverToCombination(HotKeyEventKind::hotKeyReleased, keyCode, modifiers);
}

std::optional<qint32> InMemoryHotKeyService::deliver(const HotKeyEvent& event) {
    // The desktop's later answers reach the handler whatever kinds were added.
    const bool isStatus = event.kind == HotKeyEventKind::hotKeyRefused ||
                          event.kind == HotKeyEventKind::hotKeyTriggerChanged;
    if (!handler_ || (!isStatus && !eventTypes_.contains(event.kind))) {
        return std::nullopt;
    }
    return handler_(event);
}

bool InMemoryHotKeyService::isRegistered(CarbonKeyCode keyCode, quint32 modifiers) const {
    for (const Registration& r : registrations) {
        if (r.keyCode == keyCode && r.modifiers == modifiers) {
            return true;
        }
    }
    return false;
}

QList<HotKeyId> InMemoryHotKeyService::registeredIds() const {
    QList<HotKeyId> ids;
    for (const Registration& r : registrations) {
        ids.append(r.id);
    }
    return ids;
}

}  // namespace hushpane::test
