#pragma once

#include "backends/gsettings/GioSettingsStore.h"
#include "backends/linux/BusDesktopProgram.h"
#include "platform/DesktopKeybindings.h"

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

// The GNOME family's window-manager and media-key shortcuts, as keybindings the recorder
// checks (what they do is not named).
QList<DesktopAccelerator> gnomeFamilyKeybindings();

}  // namespace hushpane
