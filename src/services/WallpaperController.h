#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

#include <optional>

namespace hushpane {

class Preferences;
class Workspace;
struct WorkspaceScreen;

// Puts the custom picture on every display while the desktop is hidden and gives each display
// its own wallpaper back afterwards, exactly as it was. Each display's own wallpaper state, and
// the state Hushpane put there, are stored in the preferences before anything changes (so they
// survive restarts) until they have been restored. A part the user changed meanwhile (it no
// longer shows what Hushpane put there) keeps the user's choice.
class WallpaperController {
public:
    WallpaperController(Preferences& preferences, Workspace& workspace);

    // Stores the wallpaper state of each display that has none stored yet, when a usable
    // custom picture is chosen. Nothing on success (or nothing to do), else why the states
    // could not be stored: then nothing may replace them.
    std::optional<QString> saveOriginals();

    // Saves what saveOriginals saves and sets the custom picture on each display whose own
    // wallpaper is stored. A display whose wallpaper cannot be read or stored keeps it.
    // Returns the error to show, or nothing.
    std::optional<QString> applyCustom();

    // Sets the saved pictures back and forgets each one restored. Returns the error to show,
    // or nothing.
    std::optional<QString> restoreOriginals();

    // Scale proportionally, clipping allowed: the picture fills the display.
    static const QVariantMap& fillOptions();

    // The text form of a display's "NSScreenNumber", "0" when it has none.
    static QString displayKey(const WorkspaceScreen& screen);

private:
    struct Prepared {
        std::optional<QUrl> custom;  // nothing: nothing to do
        QVariantMap saved;
        QStringList unreadable;        // display keys whose wallpaper could not be read
        std::optional<QString> error;  // the picture is unusable, or storing failed
        bool storeFailed = false;
    };
    Prepared prepare();
    // The display no longer shows what Hushpane put there.
    bool userChangedWhileHidden(const WorkspaceScreen& screen, const QVariantMap& stored) const;
    std::optional<QString> restoreLegacy(const WorkspaceScreen& screen, const QString& path,
                                         const std::optional<QVariantMap>& options);

    Preferences& preferences_;
    Workspace& workspace_;
};

}  // namespace hushpane
