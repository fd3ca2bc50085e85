#pragma once

#include "services/WallpaperController.h"

#include <QObject>
#include <QString>

#include <optional>

namespace hushpane {

class DesktopSwitch;
class Preferences;
class Workspace;

// Owns whether the desktop icons are hidden. hide() and show() switch the desktop, record the
// new state and swap or restore the wallpaper; the last failure the user should see is kept in
// lastError(). Both signals fire only on a real change.
//
// There is no toggle: callers read isDesktopHidden() and call show() or hide().
class DesktopController : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isDesktopHidden READ isDesktopHidden NOTIFY isDesktopHiddenChanged)
public:
    // Adopts the desktop's current state without writing anything.
    DesktopController(DesktopSwitch& desktopSwitch, Preferences& preferences, Workspace& workspace,
                      QObject* parent = nullptr);

    bool isDesktopHidden() const { return isDesktopHidden_; }
    const std::optional<QString>& lastError() const { return lastError_; }

    void hide();
    void show();

    // After the user switched the custom wallpaper or chose another picture.
    void wallpaperSettingsChanged();

    // Which desktop the controller drives, for the settings window.
    QString desktopDescription() const;

Q_SIGNALS:
    void isDesktopHiddenChanged(bool hidden);
    void lastErrorChanged();

private:
    void setDesktopHidden(bool hidden);
    void setLastError(const std::optional<QString>& error);
    void applyWallpaperIfNeeded();

    DesktopSwitch& desktopSwitch_;
    Preferences& preferences_;
    WallpaperController wallpaper_;
    bool isDesktopHidden_ = false;
    std::optional<QString> lastError_;
};

}  // namespace hushpane
