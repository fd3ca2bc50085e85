#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

namespace hushpane {

class Preferences;
class Workspace;
struct WorkspaceScreen;

// Puts the custom picture on every display while the desktop is hidden and gives each display
// its own picture back afterwards. Each display's own picture is remembered in the
// preferences (so it survives restarts) until it has been restored.
class WallpaperController {
public:
    WallpaperController(Preferences& preferences, Workspace& workspace);

    // Saves each display's picture (never overwriting a saved one) and sets the custom
    // picture everywhere. Returns the error to show, or nothing.
    std::optional<QString> applyCustom();

    // Sets the saved pictures back and forgets each one restored. Returns the error to show,
    // or nothing.
    std::optional<QString> restoreOriginals();

    // Scale proportionally, clipping allowed: the picture fills the display.
    static const QVariantMap& fillOptions();

    // The text form of a display's "NSScreenNumber", "0" when it has none.
    static QString displayKey(const WorkspaceScreen& screen);

private:
    Preferences& preferences_;
    Workspace& workspace_;
};

}  // namespace hushpane
