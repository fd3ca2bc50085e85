#include "backends/xfce/XfceDesktop.h"

#include "backends/xfce/XfceDesktopSwitch.h"
#include "backends/xfce/XfceKeyboardShortcuts.h"
#include "backends/xfce/XfceWorkspace.h"
#include "backends/xfce/XfconfClient.h"

#include <QDBusConnectionInterface>

namespace hushpane {

namespace {

// The keyboard shortcuts while xfconfd runs: asking without it would start one.
QList<DesktopAccelerator> keyboardShortcuts(const QDBusConnection& bus) {
    const QDBusConnectionInterface* daemon = bus.interface();
    if (daemon == nullptr ||
        !daemon->isServiceRegistered(QString::fromLatin1(XfconfClient::kService)).value()) {
        return {};
    }
    return XfceKeyboardShortcuts(XfconfClient(bus)).accelerators();
}

}  // namespace

DesktopDriverEntry xfceDesktop(const DesktopDriverContext& context) {
    return {QStringLiteral("xfce"),
            {QStringLiteral("XFCE")},
            {QStringLiteral("org.xfce.xfdesktop")},
            {QStringLiteral("xfdesktop")},
            true,
            [&context] {
                // One client for both, so a timeout of one quiets the other's calls.
                const XfconfClient xfconf(context.bus);
                DesktopDriver driver;
                driver.desktopSwitch =
                    std::make_unique<XfceDesktopSwitch>(xfconf, context.defaults);
                driver.workspace = std::make_unique<XfceWorkspace>(xfconf);
                driver.keybindings = [bus = context.bus] { return keyboardShortcuts(bus); };
                return driver;
            }};
}

}  // namespace hushpane
