#pragma once

#include <QDBusConnection>
#include <QString>
#include <QStringList>

namespace hushpane::desktop {

// True when the colon-separated desktop names (XDG_CURRENT_DESKTOP, XDG_SESSION_DESKTOP)
// include one of `names`, in any case.
bool namesInclude(const QString& desktopNames, const QStringList& names);

// The same for this process's XDG_CURRENT_DESKTOP and XDG_SESSION_DESKTOP.
bool sessionIs(const QStringList& names);

// True when someone owns `busName` on `bus`; asks the bus only, never starts the owner.
bool busNameOwned(const QDBusConnection& bus, const QString& busName);

}  // namespace hushpane::desktop
