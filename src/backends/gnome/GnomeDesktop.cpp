#include "backends/gnome/GnomeDesktop.h"

#include "backends/gnome/GnomeCustomKeybindings.h"
#include "backends/gnome/GnomeDesktopSwitch.h"
#include "backends/gnome/GnomeWallpaperKeys.h"
#include "backends/gnome/MutterMirroredDisplays.h"
#include "backends/gnome/ShellExtensionsClient.h"
#include "backends/gsettings/GSettingsDesktop.h"
#include "backends/gsettings/GSettingsWorkspace.h"
#include "backends/gsettings/GioSettingsStore.h"

namespace hushpane {

namespace {

// The Shell's extensions and the wallpaper's settings.
struct GnomeParts {
    explicit GnomeParts(const QDBusConnection& bus) : extensions(bus) {}

    GioSettingsStore store;
    ShellExtensionsClient extensions;
};

}  // namespace

DesktopDriverEntry gnomeDesktop(const DesktopDriverContext& context) {
    return {QStringLiteral("gnome"),
            // "ubuntu:GNOME", "GNOME-Classic:GNOME" name it too.
            {QStringLiteral("GNOME")},
            {QString::fromLatin1(ShellExtensionsClient::kService)},
            {QStringLiteral("gnome-shell")},
            true,
            [&context] {
                auto parts = std::make_shared<GnomeParts>(context.bus);
                DesktopDriver driver;
                driver.desktopSwitch =
                    std::make_unique<GnomeDesktopSwitch>(parts->extensions, context.defaults);
                driver.workspace = std::make_unique<GSettingsWorkspace>(
                    parts->store, context.defaults, gnomeWallpaperKeys());
                driver.keybindings = gnomeFamilyKeybindings;
                driver.commandKeybindings = std::make_unique<GnomeCustomKeybindings>();
                driver.mirroredDisplays = std::make_unique<MutterMirroredDisplays>(context.bus);
                driver.trayNeedsShellExtension = true;
                driver.shared = std::move(parts);
                return driver;
            }};
}

}  // namespace hushpane
