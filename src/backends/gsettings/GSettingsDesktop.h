#pragma once

#include "backends/gsettings/GSettingsWorkspace.h"
#include "backends/gsettings/GioSettingsStore.h"
#include "backends/linux/BusDesktopProgram.h"
#include "platform/DesktopDriver.h"

#include <functional>
#include <memory>

namespace hushpane {

// What the parts of a desktop that keeps its icons and wallpaper in GSettings share: the
// settings and the one program on the bus that draws them.
struct GSettingsDesktop {
    GSettingsDesktop(const QDBusConnection& bus, const QString& busName, const QString& name,
                     const QStringList& command)
        : program(bus, busName, name, command) {}

    GioSettingsStore store;
    BusDesktopProgram program;
};

// The driver of such a desktop: its switch, made on the shared parts, one wallpaper for every
// display under `wallpaperKeys`, and the GNOME family's shortcuts.
DesktopDriver gsettingsDesktopDriver(
    const DesktopDriverContext& context, const QString& busName, const QString& programName,
    const QStringList& command, const GSettingsWorkspace::Keys& wallpaperKeys,
    const std::function<std::unique_ptr<DesktopSwitch>(GSettingsDesktop&)>& makeSwitch);

// The GNOME family's window-manager and media-key shortcuts, as keybindings the recorder
// checks (what they do is not named).
QList<DesktopAccelerator> gnomeFamilyKeybindings();

}  // namespace hushpane
