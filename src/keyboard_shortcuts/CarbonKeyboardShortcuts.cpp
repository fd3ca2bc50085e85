#include "keyboard_shortcuts/CarbonKeyboardShortcuts.h"

#include <QKeyEvent>

#include <algorithm>

#include <cstdio>

namespace KeyboardShortcuts {

using namespace hushpane;

namespace {

const QList<quint32> kHotKeyEventTypes{HotKeyEventKind::hotKeyPressed,
                                       HotKeyEventKind::hotKeyReleased};

void printRegistrationError(const Shortcut& shortcut, qint32 status) {
    const QByteArray line = QStringLiteral("Error registering hotkey %1: %2\n")
                                .arg(shortcut.presentableDescription())
                                .arg(status)
                                .toUtf8();
    std::fputs(line.constData(), stdout);
    std::fflush(stdout);
}

}  // namespace

CarbonKeyboardShortcuts::CarbonKeyboardShortcuts(HotKeyService& service, QObject* parent)
    : QObject(parent), service_(service) {}

CarbonKeyboardShortcuts::~CarbonKeyboardShortcuts() {
    keyEventMonitor_.reset();
    releaseAll();
    if (eventHandlerInstalled_) {
        service_.removeEventTypes(kHotKeyEventTypes);
        service_.removeEventHandler();
    }
}

HotKeyRegistration CarbonKeyboardShortcuts::registerWithSystem(const Shortcut& shortcut, quint32 id,
                                                               const QString& purpose) {
    // Stored values can be anything; the service takes 16-bit key codes and 32-bit masks.
    if (shortcut.carbonKeyCode() < 0 || shortcut.carbonKeyCode() > 0xFFFF ||
        shortcut.carbonModifiers() < 0 || shortcut.carbonModifiers() > 0xFFFFFFFFLL) {
        return {kEventHotKeyInvalidErr, std::nullopt};
    }
    HotKeyRegistration result = service_.registerHotKey(
        static_cast<quint32>(shortcut.carbonKeyCode()),
        static_cast<quint32>(normalizedCarbonModifiers(shortcut.carbonModifiers())),
        HotKeyId{hotKeySignature, id, purpose});
    if (result.status == kHotKeyNoErr && !result.ref) {
        result.status = kEventHotKeyInvalidErr;
    }
    return result;
}

qint32 CarbonKeyboardShortcuts::registerShortcut(const Shortcut& shortcut, bool report,
                                                 const QString& purpose) {
    const quint32 id = ++hotKeyId_;
    const HotKeyRegistration registration = registerWithSystem(shortcut, id, purpose);
    if (registration.status != kHotKeyNoErr || !registration.ref) {
        if (report) {
            printRegistrationError(shortcut, registration.status);
        }
        return registration.status;
    }
    hotKeys_.insert_or_assign(id, HotKey{shortcut, id, registration.ref, std::nullopt, purpose});

    if (!eventHandlerInstalled_) {
        const bool installed = service_.installEventHandler(
            [this](const HotKeyEvent& event) { return handleEvent(&event); });
        if (installed) {
            eventHandlerInstalled_ = true;
            updateEventHandler();
        }
    }
    return kHotKeyNoErr;
}

void CarbonKeyboardShortcuts::unregisterShortcut(const Shortcut& shortcut) {
    for (auto it = hotKeys_.begin(); it != hotKeys_.end();) {
        if (it->second.shortcut == shortcut) {
            if (it->second.carbonHotKey) {
                service_.unregisterHotKey(*it->second.carbonHotKey);
            }
            it = hotKeys_.erase(it);
        } else {
            ++it;
        }
    }
}

void CarbonKeyboardShortcuts::setEnabled(bool enabled) {
    if (enabled == isEnabled_) {
        return;
    }
    isEnabled_ = enabled;
    updateEventHandler();
}

void CarbonKeyboardShortcuts::setMenuOpen(bool open) {
    if (open == isMenuOpen_) {
        return;
    }
    isMenuOpen_ = open;
    updateEventHandler();
}

void CarbonKeyboardShortcuts::updateEventHandler() {
    if (!eventHandlerInstalled_) {
        return;
    }
    ++updateEventHandlerCount_;
    rawPressed_.reset();
    if (!isEnabled_) {
        releaseAll();
        service_.removeEventTypes(kHotKeyEventTypes);
        keyEventMonitor_.reset();
        return;
    }
    if (isMenuOpen_) {
        releaseAll();
        service_.removeEventTypes(kHotKeyEventTypes);
        startKeyEventMonitor();
        return;
    }
    softRegisterAll();
    keyEventMonitor_.reset();
    service_.addEventTypes(kHotKeyEventTypes);
}

void CarbonKeyboardShortcuts::startKeyEventMonitor() {
    if (keyEventMonitor_) {
        return;
    }
    keyEventMonitor_ = std::make_unique<LocalEventMonitor>(
        QList<QEvent::Type>{QEvent::KeyPress, QEvent::KeyRelease, QEvent::ShortcutOverride},
        [this](QObject*, QEvent* event) {
            return handleMonitoredKeyEvent(*static_cast<QKeyEvent*>(event));
        });
}

void CarbonKeyboardShortcuts::releaseAll() {
    for (auto& [id, hotKey] : hotKeys_) {
        if (hotKey.carbonHotKey) {
            service_.unregisterHotKey(*hotKey.carbonHotKey);
            hotKey.carbonHotKey.reset();
        }
    }
}

void CarbonKeyboardShortcuts::softRegisterAll() {
    for (auto it = hotKeys_.begin(); it != hotKeys_.end();) {
        HotKey& hotKey = it->second;
        if (hotKey.carbonHotKey) {
            ++it;
            continue;
        }
        const HotKeyRegistration registration =
            registerWithSystem(hotKey.shortcut, hotKey.carbonHotKeyId, hotKey.purpose);
        if (registration.status == kHotKeyNoErr && registration.ref) {
            hotKey.carbonHotKey = registration.ref;
            ++it;
        } else {
            printRegistrationError(hotKey.shortcut, registration.status);
            const Shortcut lost = hotKey.shortcut;
            it = hotKeys_.erase(it);
            Q_EMIT registrationLost(lost, registration.status);
        }
    }
}

QList<Shortcut> CarbonKeyboardShortcuts::system() const {
    QList<Shortcut> result;
    for (const SymbolicHotKey& hotKey : service_.systemHotKeys()) {
        if (!hotKey.enabled || !hotKey.keyCode || !hotKey.modifiers) {
            continue;
        }
        result.append(Shortcut(*hotKey.keyCode, *hotKey.modifiers));
    }
    return result;
}

qint32 CarbonKeyboardShortcuts::handleEvent(const HotKeyEvent* event) {
    if (event == nullptr) {
        return kEventNotHandledErr;
    }
    switch (event->kind) {
        case HotKeyEventKind::rawKeyDown:
        case HotKeyEventKind::rawKeyUp:
            return handleRawKeyEvent(event->kind, event->keyCode, event->modifiers);
        case HotKeyEventKind::hotKeyPressed:
        case HotKeyEventKind::hotKeyReleased:
            return handleHotKeyEvent(*event);
        case HotKeyEventKind::hotKeyRefused:
        case HotKeyEventKind::hotKeyTriggerChanged:
            return handleStatusEvent(*event);
        default:
            return kEventNotHandledErr;
    }
}

qint32 CarbonKeyboardShortcuts::handleStatusEvent(const HotKeyEvent& event) {
    const auto it = event.hotKeyId.signature == hotKeySignature ? hotKeys_.find(event.hotKeyId.id)
                                                                : hotKeys_.end();
    if (it == hotKeys_.end()) {
        return kEventNotHandledErr;
    }
    const Shortcut shortcut = it->second.shortcut;
    if (event.kind == HotKeyEventKind::hotKeyRefused) {
        // Refused later, as a refusal at once would have been: printed and forgotten.
        printRegistrationError(shortcut, event.status);
        hotKeys_.erase(it);
        Q_EMIT registrationLost(shortcut, event.status);
        return kHotKeyNoErr;
    }
    if (it->second.trigger != event.trigger) {
        it->second.trigger = event.trigger;
        Q_EMIT triggerChanged(shortcut, event.trigger);
    }
    return kHotKeyNoErr;
}

qint32 CarbonKeyboardShortcuts::handleHotKeyEvent(const HotKeyEvent& event) {
    if (event.hotKeyId.signature != hotKeySignature) {
        return kEventNotHandledErr;
    }
    const auto it = hotKeys_.find(event.hotKeyId.id);
    if (it == hotKeys_.end()) {
        return kEventNotHandledErr;
    }
    // A copy: a receiver may register or unregister and so change the map.
    const Shortcut shortcut = it->second.shortcut;
    if (event.kind == HotKeyEventKind::hotKeyPressed) {
        Q_EMIT keyDown(shortcut);
    } else if (event.kind == HotKeyEventKind::hotKeyReleased) {
        Q_EMIT keyUp(shortcut);
    } else {
        return kEventNotHandledErr;
    }
    return kHotKeyNoErr;
}

qint32 CarbonKeyboardShortcuts::handleRawKeyEvent(quint32 kind, CarbonKeyCode keyCode,
                                                  qint64 modifiers) {
    const qint64 normalized = normalizedCarbonModifiers(modifiers);
    const HotKey* match = nullptr;
    for (const auto& [id, hotKey] : hotKeys_) {
        if (hotKey.shortcut.carbonKeyCode() == keyCode &&
            normalizedCarbonModifiers(hotKey.shortcut.carbonModifiers()) == normalized) {
            match = &hotKey;
            break;
        }
    }
    if (match == nullptr) {
        return kEventNotHandledErr;
    }
    const Shortcut shortcut = match->shortcut;
    if (kind == HotKeyEventKind::rawKeyDown) {
        Q_EMIT keyDown(shortcut);
    } else if (kind == HotKeyEventKind::rawKeyUp) {
        Q_EMIT keyUp(shortcut);
    } else {
        return kEventNotHandledErr;
    }
    return kHotKeyNoErr;
}

bool CarbonKeyboardShortcuts::handleMonitoredKeyEvent(QKeyEvent& event) {
    // A menu closes when Alt is pressed on its own, which would end the menu before the rest
    // of a shortcut with option (or command) arrives: keep those keys from the menu.
    qint64 modifierOfKey = 0;
    switch (event.key()) {
        case Qt::Key_Alt:
            modifierOfKey = hushpane::carbon::option;
            break;
        case Qt::Key_Meta:
        case Qt::Key_Super_L:
        case Qt::Key_Super_R:
            modifierOfKey = hushpane::carbon::command;
            break;
        default:
            break;
    }
    if (modifierOfKey != 0) {
        return std::any_of(hotKeys_.begin(), hotKeys_.end(), [&](const auto& entry) {
            return (entry.second.shortcut.carbonModifiers() & modifierOfKey) != 0;
        });
    }
    QKeyEvent plain(event.type() == QEvent::KeyRelease ? QEvent::KeyRelease : QEvent::KeyPress,
                    event.key(), event.modifiers(), event.nativeScanCode(),
                    event.nativeVirtualKey(), event.nativeModifiers());
    const auto shortcut = Shortcut::fromEvent(plain);
    if (!shortcut) {
        return false;
    }
    const CarbonKeyCode keyCode = shortcut->carbonKeyCode();
    const qint64 modifiers = shortcut->carbonModifiers();

    // People let go of the modifiers before the key as often as after: the release of a
    // pressed shortcut's key ends it whatever modifiers are still down.
    if (event.type() == QEvent::KeyRelease && rawPressed_ && rawPressed_->first == keyCode) {
        if (event.isAutoRepeat()) {
            return true;
        }
        const quint32 id = rawPressed_->second;
        rawPressed_.reset();
        const auto entry = hotKeys_.find(id);
        if (entry != hotKeys_.end()) {
            const Shortcut pressed = entry->second.shortcut;
            Q_EMIT keyUp(pressed);
        }
        return true;
    }

    const auto match = std::find_if(hotKeys_.begin(), hotKeys_.end(), [&](const auto& entry) {
        const Shortcut& s = entry.second.shortcut;
        return s.carbonKeyCode() == keyCode &&
               normalizedCarbonModifiers(s.carbonModifiers()) == modifiers;
    });
    if (match == hotKeys_.end()) {
        return false;
    }
    if (event.type() == QEvent::ShortcutOverride) {
        // Claim the key so no menu action with the same key sequence fires; the press follows.
        event.accept();
        return true;
    }
    // Holding the keys repeats press/release pairs; only the real ones count.
    if (event.isAutoRepeat()) {
        return true;
    }
    if (event.type() == QEvent::KeyPress) {
        rawPressed_ = std::make_pair(keyCode, match->first);
        return handleRawKeyEvent(HotKeyEventKind::rawKeyDown, keyCode, modifiers) == kHotKeyNoErr;
    }
    return handleRawKeyEvent(HotKeyEventKind::rawKeyUp, keyCode, modifiers) == kHotKeyNoErr;
}

}  // namespace KeyboardShortcuts
