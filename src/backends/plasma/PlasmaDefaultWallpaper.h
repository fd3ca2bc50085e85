#pragma once

#include <QString>

#include <optional>

namespace hushpane {

// The picture Plasma shows on a desktop whose wallpaper names none, as on a fresh install: the
// wallpaper package of the look-and-feel in use (kdeglobals' [KDE] LookAndFeelPackage, Breeze
// when unset), found under the XDG data folders the way Plasma finds it. Hushpane takes that
// package's folder as the screen's picture, so it can be given back; giving it back writes no
// picture at all, which is exactly what was there.
class PlasmaDefaultWallpaper {
public:
    // The package's folder (no trailing slash), or nothing when the look-and-feel or its
    // wallpaper cannot be found.
    static std::optional<QString> folder();
    // True when `path` names that folder.
    static bool isDefault(const QString& path);
};

}  // namespace hushpane
