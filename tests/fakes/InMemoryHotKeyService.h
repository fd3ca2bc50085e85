#pragma once

#include "platform/HotKeyService.h"

#include <QList>
#include <QMap>
#include <QSet>

#include <optional>
#include <utility>

namespace hushpane::test {

// Hot keys held in memory. Tests press and release registered combinations, refuse
// combinations with a status, and deliver arbitrary events.
class InMemoryHotKeyService : public HotKeyService {
public:
    struct Registration {
        CarbonKeyCode keyCode;
        quint32 modifiers;
        HotKeyId id;
    };

    HotKeyRegistration registerHotKey(CarbonKeyCode keyCode, quint32 modifiers,
                                      HotKeyId id) override;
    qint32 unregisterHotKey(HotKeyRef ref) override;
    bool installEventHandler(EventHandler handler) override;
    void removeEventHandler() override { handler_ = nullptr; }
    void addEventTypes(const QList<quint32>& kinds) override;
    void removeEventTypes(const QList<quint32>& kinds) override;
    QList<SymbolicHotKey> systemHotKeys() override { return symbolicHotKeys; }
    void askAgain() override { ++askAgainCount; }

    // Hot-key pressed / released for every registration of the combination, when the handler
    // takes those kinds. Returns how many events reached the handler.
    int press(CarbonKeyCode keyCode, quint32 modifiers);
    int release(CarbonKeyCode keyCode, quint32 modifiers);
    // Any event; nothing when no handler is installed or its kind was not added (the
    // desktop's answers, refused and trigger changed, need no kind added).
    std::optional<qint32> deliver(const HotKeyEvent& event);

    bool isRegistered(CarbonKeyCode keyCode, quint32 modifiers) const;
    QList<HotKeyId> registeredIds() const;
    bool hasEventHandler() const { return static_cast<bool>(handler_); }
    const QSet<quint32>& eventTypes() const { return eventTypes_; }

    // Combinations (key code, modifiers) refused with the status given.
    QMap<std::pair<CarbonKeyCode, quint32>, qint32> refused;
    bool failInstallEventHandler = false;
    QList<SymbolicHotKey> symbolicHotKeys;
    QMap<HotKeyRef, Registration> registrations;
    int registerCount = 0;
    int unregisterCount = 0;
    int askAgainCount = 0;

private:
    int deliverToCombination(quint32 kind, CarbonKeyCode keyCode, quint32 modifiers);

    EventHandler handler_;
    QSet<quint32> eventTypes_;
    HotKeyRef nextRef_ = 1;
};

}  // namespace hushpane::test
