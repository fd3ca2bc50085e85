#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

namespace hushpane {

class Preferences;
class Workspace;
struct WorkspaceScreen;

// Puts the custom picture on every display while the desktop is hidden and gives each display
// its own picture back afterwards, drawn as before. Each display's own picture and options are
// remembered in the preferences (so they survive restarts) until they have been restored; a
// display whose picture the user changed meanwhile keeps the user's choice.
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
