#pragma once

#include "platform/DesktopKeybindings.h"

#include <QMap>

#include <utility>

namespace hushpane::test {

// What the desktop does on which keys (Carbon key code and modifiers), in memory; nothing can
// be added.
class InMemoryDesktopKeybindings : public DesktopKeybindings {
public:
    bool isAvailable() const override { return false; }
    std::optional<QString> addKeybinding(const QString&, const QString&, qint64, qint64) override {
        return QStringLiteral("not here");
    }
    std::optional<QString> actionOnKeys(qint64 carbonKeyCode,
                                        qint64 carbonModifiers) const override {
        const auto found = actions.constFind({carbonKeyCode, carbonModifiers});
        return found == actions.cend() ? std::nullopt : std::optional<QString>(*found);
    }

    QMap<std::pair<qint64, qint64>, QString> actions;
};

}  // namespace hushpane::test
