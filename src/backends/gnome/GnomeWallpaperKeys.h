#pragma once

#include "backends/gsettings/GSettingsWorkspace.h"

namespace hushpane {

// GNOME's wallpaper, one for all displays: org.gnome.desktop.background picture-uri and its
// dark-style twin picture-uri-dark, drawn as picture-options.
GSettingsWorkspace::Keys gnomeWallpaperKeys();

}  // namespace hushpane
