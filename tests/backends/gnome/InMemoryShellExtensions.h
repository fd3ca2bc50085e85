#pragma once

#include "backends/gnome/ShellExtensions.h"

#include <QMap>
#include <QStringList>

namespace hushpane::test {

// GNOME Shell's extensions held in memory. `unreachable` makes every call fail with that text
// (a Shell that is gone or does not answer); `refusal` makes switching fail.
class InMemoryShellExtensions : public ShellExtensions {
public:
    Lookup extension(const QString& uuid) override {
        if (unreachable) {
            return {std::nullopt, unreachable};
        }
        const auto found = installed.constFind(uuid);
        if (found == installed.cend()) {
            return {};
        }
        return {*found, std::nullopt};
    }

    std::optional<QString> setEnabled(const QString& uuid, bool on) override {
        if (unreachable) {
            return unreachable;
        }
        if (refusal) {
            return refusal;
        }
        switches.append((on ? QStringLiteral("on ") : QStringLiteral("off ")) + uuid);
        installed[uuid].state = on ? ShellExtensions::enabled : ShellExtensions::disabled;
        return std::nullopt;
    }

    void setChangeHandler(std::function<void()> handler) override { changed = std::move(handler); }

    void install(const QString& uuid, int state, const QString& why = {}) {
        Info info;
        info.state = state;
        info.error = why;
        installed.insert(uuid, info);
    }

    QMap<QString, Info> installed;
    std::optional<QString> unreachable;
    std::optional<QString> refusal;
    QStringList switches;
    std::function<void()> changed;
};

}  // namespace hushpane::test
