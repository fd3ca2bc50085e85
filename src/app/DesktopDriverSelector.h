#pragma once

#include "platform/DesktopDriver.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace hushpane {

// What this session tells about its desktop, without starting anything to ask.
struct DesktopEnvironment {
    QString currentDesktop;  // XDG_CURRENT_DESKTOP, colon-separated names
    QString sessionDesktop;  // XDG_SESSION_DESKTOP
    // Whether a bus name has an owner now, and whether a process of this user runs under a
    // name (its /proc comm).
    std::function<bool(const QString&)> ownsBusName;
    std::function<bool(const QString&)> runsProcess;

    // This process's environment, session bus and processes.
    static DesktopEnvironment ofThisSession();

    // For messages: "XDG_CURRENT_DESKTOP=sway", or that neither variable is set.
    QString described() const;
};

// Picks the desktop to drive at start: the stored choice when it names a known driver, else
// the first entry the session names, else the first whose desktop program owns its bus name,
// else the first whose program runs. Entries are tried in their order.
class DesktopDriverSelector {
public:
    static constexpr auto kAutomatic = "auto";

    explicit DesktopDriverSelector(QList<DesktopDriverEntry> entries);

    struct Choice {
        const DesktopDriverEntry* entry = nullptr;  // nothing: no supported desktop
        QString why;                                // for the log, or what was found instead
    };
    Choice choose(const QString& storedChoice, const DesktopEnvironment& environment) const;

    // The names a stored choice may take: "auto" and each entry's.
    QStringList choiceNames() const;
    // The detectable desktops, for telling the user what would work.
    QStringList detectableNames() const;

private:
    const DesktopDriverEntry* byName(const QString& name) const;

    QList<DesktopDriverEntry> entries_;
};

}  // namespace hushpane
