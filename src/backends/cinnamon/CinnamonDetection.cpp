#include "backends/cinnamon/CinnamonDetection.h"

#include "backends/cinnamon/CinnamonDesktopSwitch.h"
#include "backends/gsettings/GioSettingsStore.h"
#include "backends/linux/CurrentDesktop.h"

namespace hushpane::cinnamon {

bool isCinnamonDesktopAvailable() {
    if (desktop::busNameOwned(QDBusConnection::sessionBus(),
                              QString::fromLatin1(CinnamonDesktopSwitch::kBusName))) {
        return true;
    }
    return desktop::sessionIs({QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")}) &&
           GioSettingsStore().hasSchema(QString::fromLatin1(CinnamonDesktopSwitch::kSchema));
}

}  // namespace hushpane::cinnamon
