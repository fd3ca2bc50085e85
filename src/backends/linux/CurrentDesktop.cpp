#include "backends/linux/CurrentDesktop.h"

#include <QDBusConnectionInterface>

namespace hushpane::desktop {

bool namesInclude(const QString& desktopNames, const QStringList& names) {
    const QStringList found = desktopNames.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& name : found) {
        if (names.contains(name.trimmed(), Qt::CaseInsensitive)) {
            return true;
        }
    }
    return false;
}

bool sessionIs(const QStringList& names) {
    return namesInclude(qEnvironmentVariable("XDG_CURRENT_DESKTOP"), names) ||
           namesInclude(qEnvironmentVariable("XDG_SESSION_DESKTOP"), names);
}

bool busNameOwned(const QDBusConnection& bus, const QString& busName) {
    const QDBusConnectionInterface* daemon = bus.isConnected() ? bus.interface() : nullptr;
    return daemon && daemon->isServiceRegistered(busName).value();
}

}  // namespace hushpane::desktop
