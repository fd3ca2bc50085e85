#include "backends/cinnamon/CinnamonDesktop.h"

#include "backends/cinnamon/CinnamonDesktopSwitch.h"
#include "backends/cinnamon/CinnamonWallpaperKeys.h"
#include "backends/gsettings/GSettingsDesktop.h"
#include "backends/gsettings/GSettingsWorkspace.h"

namespace hushpane {

DesktopDriverEntry cinnamonDesktop(const DesktopDriverContext& context) {
    return {QStringLiteral("cinnamon"),
            {QStringLiteral("X-Cinnamon"), QStringLiteral("Cinnamon")},
            {QString::fromLatin1(CinnamonDesktopSwitch::kBusName)},
            {QStringLiteral("nemo-desktop")},
            true,
            [&context] {
                auto parts = std::make_shared<GSettingsDesktop>(
                    context.bus, QString::fromLatin1(CinnamonDesktopSwitch::kBusName),
                    QStringLiteral("nemo-desktop"), QStringList());
                DesktopDriver driver;
                driver.desktopSwitch = std::make_unique<CinnamonDesktopSwitch>(
                    parts->store, parts->program, context.defaults);
                driver.workspace = std::make_unique<GSettingsWorkspace>(
                    parts->store, context.defaults, cinnamonWallpaperKeys());
                driver.keybindings = gnomeFamilyKeybindings;
                driver.shared = std::move(parts);
                return driver;
            }};
}

}  // namespace hushpane
