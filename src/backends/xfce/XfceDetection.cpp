#include "backends/xfce/XfceDetection.h"

#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfconfClient.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>

namespace hushpane::xfce {

bool currentDesktopNamesXfce(const QString& currentDesktop) {
    const QStringList names = currentDesktop.split(QLatin1Char(':'), Qt::SkipEmptyParts);
    for (const QString& name : names) {
        if (name.trimmed().compare(QLatin1String("XFCE"), Qt::CaseInsensitive) == 0) {
            return true;
        }
    }
    return false;
}

bool isXfceDesktopAvailable(const XfconfClient& xfconf, const QString& currentDesktop) {
    if (currentDesktopNamesXfce(currentDesktop)) {
        return true;
    }
    return xfconf.hasChannel(QString::fromLatin1(XfceDesktopSwitch::kChannel));
}

bool isXfceDesktopAvailable() {
    const QString currentDesktop = qEnvironmentVariable("XDG_CURRENT_DESKTOP");
    if (currentDesktopNamesXfce(currentDesktop)) {
        return true;
    }
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    // xfdesktop keeps xfconfd running. When nobody owns its name, XFCE is not running here,
    // and asking would only start xfconfd for nothing (and slow down every start).
    const QDBusConnectionInterface* names = bus.interface();
    if (!names || !names->isServiceRegistered(QStringLiteral("org.xfce.Xfconf")).value()) {
        return false;
    }
    return isXfceDesktopAvailable(XfconfClient(bus), currentDesktop);
}

}  // namespace hushpane::xfce
