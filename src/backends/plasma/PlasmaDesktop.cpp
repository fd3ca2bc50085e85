#include "backends/plasma/PlasmaDesktop.h"

#include "backends/plasma/KGlobalAccelKeys.h"
#include "backends/plasma/PlasmaDesktopSwitch.h"
#include "backends/plasma/PlasmaShellClient.h"
#include "backends/plasma/PlasmaWorkspace.h"

namespace hushpane {

DesktopDriverEntry plasmaDesktop(const DesktopDriverContext& context) {
    return {
        QStringLiteral("plasma"),
        {QStringLiteral("KDE")},
        {QString::fromLatin1(PlasmaShellClient::kService)},
        {QStringLiteral("plasmashell")},
        true,
        [&context] {
            auto client = std::make_shared<PlasmaShellClient>(context.bus);
            DesktopDriver driver;
            driver.desktopSwitch = std::make_unique<PlasmaDesktopSwitch>(*client, context.defaults);
            driver.workspace = std::make_unique<PlasmaWorkspace>(*client);
            // Plasma's shortcut store keeps its own keys when a known shortcut is bound
            // through the portal again.
            driver.rekeyPortalShortcut = [keys = plasma::KGlobalAccelKeys(context.bus)](
                                             const QString& appId, const QString& shortcutId,
                                             const QString& description, int combined) {
                return keys.isAvailable() && keys.setKeys(appId, shortcutId, description, combined);
            };
            driver.shared = std::move(client);
            return driver;
        }};
}

}  // namespace hushpane
