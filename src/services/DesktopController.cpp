#include "services/DesktopController.h"

#include "common/Logging.h"
#include "platform/DesktopSwitch.h"
#include "platform/Workspace.h"
#include "services/Preferences.h"

#include <QPointer>

namespace hushpane {

DesktopController::DesktopController(DesktopSwitch& desktopSwitch, Preferences& preferences,
                                     Workspace& workspace, QObject* parent)
    : QObject(parent),
      desktopSwitch_(desktopSwitch),
      preferences_(preferences),
      wallpaper_(preferences, workspace) {
    isDesktopHidden_ = !desktopSwitch_.createsDesktop();
    // A display attached or rearranged while hidden gets the custom picture too.
    connect(&workspace, &Workspace::screenParametersChanged, this,
            &DesktopController::applyWallpaperIfNeeded);
}

void DesktopController::hide() {
    qCInfo(lcDesktop) << "hide requested";
    if (auto error = desktopSwitch_.setCreatesDesktop(false)) {
        setLastError(error);
    }
    setDesktopHidden(true);
    applyWallpaperIfNeeded();
}

void DesktopController::show() {
    qCInfo(lcDesktop) << "show requested";
    if (auto error = desktopSwitch_.setCreatesDesktop(true)) {
        setLastError(error);
    }
    setDesktopHidden(false);
    // Runs whatever the setting says: pictures saved by an earlier session come back too.
    setLastError(wallpaper_.restoreOriginals());
}

void DesktopController::wallpaperSettingsChanged() {
    if (!isDesktopHidden_) {
        return;  // takes effect at the next hide
    }
    if (preferences_.useCustomWallpaper()) {
        applyWallpaperIfNeeded();
    } else {
        setLastError(wallpaper_.restoreOriginals());
    }
}

QString DesktopController::desktopDescription() const {
    return desktopSwitch_.description();
}

void DesktopController::applyWallpaperIfNeeded() {
    if (!isDesktopHidden_ || !preferences_.useCustomWallpaper()) {
        return;
    }
    setLastError(wallpaper_.applyCustom());
}

void DesktopController::setDesktopHidden(bool hidden) {
    if (hidden == isDesktopHidden_) {
        return;
    }
    isDesktopHidden_ = hidden;
    Q_EMIT isDesktopHiddenChanged(hidden);
}

void DesktopController::setLastError(const std::optional<QString>& error) {
    if (error == lastError_) {
        return;
    }
    lastError_ = error;
    Q_EMIT lastErrorChanged();
}

}  // namespace hushpane
