#pragma once

#include "platform/DesktopKeybindings.h"
#include "platform/DesktopSwitch.h"
#include "platform/HideTrigger.h"
#include "platform/Workspace.h"

#include <QDBusConnection>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace hushpane {

class PreferenceDomain;
class ProcessLauncher;
class UserDefaults;

// What a desktop back-end is built from. It outlives every driver made from it.
struct DesktopDriverContext {
    QDBusConnection bus;
    UserDefaults& defaults;
    ProcessLauncher& launcher;
    PreferenceDomain& finderDomain;
};

// Everything Hushpane uses of one desktop: its switch and wallpaper, and what it knows of the
// desktop's own keyboard shortcuts.
struct DesktopDriver {
    // What the parts share (a settings store, the desktop program); outlives them all.
    std::shared_ptr<void> shared;
    std::unique_ptr<DesktopSwitch> desktopSwitch;
    std::unique_ptr<Workspace> workspace;
    // The desktop's own shortcuts, read when a recording checks its keys; unset where they
    // cannot be read. A reader starts no daemon and asks only one that already runs.
    std::function<QList<DesktopAccelerator>()> keybindings;
    // Where a command can be bound to the user's keys in the desktop's own settings, for
    // sessions in which a program cannot have a global shortcut; nothing where it cannot.
    std::unique_ptr<DesktopKeybindings> commandKeybindings;
    // Gives a shortcut that the desktop's portal holds already new keys (Qt's combined key),
    // where the portal cannot and the desktop's own shortcut store can; unset elsewhere.
    std::function<bool(const QString& appId, const QString& shortcutId, const QString& description,
                       int keys)>
        rekeyPortalShortcut;
    // What tells that a display is mirrored, where only the desktop itself can (GNOME hands a
    // mirrored pair to programs as one screen); nothing: the screens Qt sees tell it.
    std::unique_ptr<HideTrigger> mirroredDisplays;
    // Whether the desktop is the Finder's, with a menu bar and a Dock the settings speak of.
    bool hasMenuBarAndDock = false;
    // Whether the desktop's shell shows tray icons only through an extension (GNOME Shell).
    bool trayNeedsShellExtension = false;
};

// One desktop Hushpane can drive, and how to recognise it. Each back-end describes its own;
// a new desktop is one more entry in the application's list.
struct DesktopDriverEntry {
    QString name;              // its value of the stored choice "desktopDriver", e.g. "xfce"
    QStringList desktopNames;  // its names in XDG_CURRENT_DESKTOP / XDG_SESSION_DESKTOP
    QStringList busNames;      // names its desktop program owns while it draws the desktop
    QStringList processNames;  // process names of that program
    bool detectable = true;    // false: used only when chosen by name
    std::function<DesktopDriver()> make;
};

}  // namespace hushpane
