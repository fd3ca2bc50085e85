#pragma once

#include "platform/HotKeyService.h"

namespace hushpane::wayland {

// For sessions where no program can have a system-wide shortcut (a Wayland desktop without
// the GlobalShortcuts portal): every registration is refused, so nothing pretends to work.
// The user binds a desktop shortcut to the URL command instead.
class NoGlobalHotKeyService : public HotKeyService {
public:
    HotKeyRegistration registerHotKey(CarbonKeyCode, quint32, HotKeyId) override {
        return {kEventHotKeyInvalidErr, std::nullopt};
    }
    qint32 unregisterHotKey(HotKeyRef) override { return kEventHotKeyInvalidErr; }
    bool installEventHandler(EventHandler) override { return false; }
    void removeEventHandler() override {}
    void addEventTypes(const QList<quint32>&) override {}
    void removeEventTypes(const QList<quint32>&) override {}
    QList<SymbolicHotKey> systemHotKeys() override { return {}; }
};

}  // namespace hushpane::wayland
