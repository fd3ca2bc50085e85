#include "backends/gsettings/GSettingsDesktop.h"

#include "backends/gsettings/GSettingsAccelerators.h"

namespace hushpane {

DesktopDriver gsettingsDesktopDriver(
    const DesktopDriverContext& context, const QString& busName, const QString& programName,
    const QStringList& command, const GSettingsWorkspace::Keys& wallpaperKeys,
    const std::function<std::unique_ptr<DesktopSwitch>(GSettingsDesktop&)>& makeSwitch) {
    auto parts = std::make_shared<GSettingsDesktop>(context.bus, busName, programName, command);
    DesktopDriver driver;
    driver.desktopSwitch = makeSwitch(*parts);
    driver.workspace =
        std::make_unique<GSettingsWorkspace>(parts->store, context.defaults, wallpaperKeys);
    driver.keybindings = gnomeFamilyKeybindings;
    driver.shared = std::move(parts);
    return driver;
}

QList<DesktopAccelerator> gnomeFamilyKeybindings() {
    QList<DesktopAccelerator> keybindings;
    for (const QString& accelerator : gsettingsAccelerators(gnomeKeybindingSchemas())) {
        keybindings.append({accelerator, QString()});
    }
    return keybindings;
}

}  // namespace hushpane
