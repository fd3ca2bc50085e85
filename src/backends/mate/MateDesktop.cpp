#include "backends/mate/MateDesktop.h"

#include "backends/gsettings/GSettingsDesktop.h"
#include "backends/gsettings/GSettingsWorkspace.h"
#include "backends/mate/MateDesktopSwitch.h"
#include "backends/mate/MateWallpaperKeys.h"

namespace hushpane {

DesktopDriverEntry mateDesktop(const DesktopDriverContext& context) {
    return {QStringLiteral("mate"),
            {QStringLiteral("MATE")},
            {QString::fromLatin1(MateDesktopSwitch::kBusName)},
            {QStringLiteral("caja")},
            true,
            [&context] {
                auto parts = std::make_shared<GSettingsDesktop>(
                    context.bus, QString::fromLatin1(MateDesktopSwitch::kBusName),
                    QStringLiteral("caja"), MateDesktopSwitch::cajaCommand());
                DesktopDriver driver;
                driver.desktopSwitch =
                    std::make_unique<MateDesktopSwitch>(parts->store, parts->program);
                driver.workspace = std::make_unique<GSettingsWorkspace>(
                    parts->store, context.defaults, mateWallpaperKeys());
                driver.keybindings = gnomeFamilyKeybindings;
                driver.shared = std::move(parts);
                return driver;
            }};
}

}  // namespace hushpane
