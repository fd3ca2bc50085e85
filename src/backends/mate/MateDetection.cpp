#include "backends/mate/MateDetection.h"

#include "backends/gsettings/GioSettingsStore.h"
#include "backends/linux/CurrentDesktop.h"
#include "backends/mate/MateDesktopSwitch.h"

namespace hushpane::mate {

bool isMateDesktopAvailable() {
    if (desktop::busNameOwned(QDBusConnection::sessionBus(),
                              QString::fromLatin1(MateDesktopSwitch::kBusName))) {
        return true;
    }
    return desktop::sessionIs({QStringLiteral("MATE")}) &&
           GioSettingsStore().hasSchema(QString::fromLatin1(MateDesktopSwitch::kSchema));
}

}  // namespace hushpane::mate
