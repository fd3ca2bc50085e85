#include "services/DesktopController.h"

#include "common/Logging.h"
#include "platform/DesktopSwitch.h"
#include "platform/Workspace.h"
#include "services/Preferences.h"

#include <QPointer>

#include <algorithm>

namespace hushpane {

DesktopController::DesktopController(DesktopSwitch& desktopSwitch, Preferences& preferences,
                                     Workspace& workspace, QObject* parent)
    : QObject(parent),
      desktopSwitch_(desktopSwitch),
      preferences_(preferences),
      wallpaper_(preferences, workspace) {
    isDesktopHidden_ = !desktopSwitch_.createsDesktop();
    sinceTurn_.start();
    nextTurn_.setSingleShot(true);
    nextTurn_.setTimerType(Qt::PreciseTimer);
    connect(&nextTurn_, &QTimer::timeout, this, &DesktopController::finishPendingChange);
    // A display attached or rearranged while hidden gets the custom picture too.
    connect(&workspace, &Workspace::screenParametersChanged, this,
            &DesktopController::applyWallpaperIfNeeded);
    desktopSwitch_.setExternalChangeHandler([self = QPointer<DesktopController>(this)] {
        if (self) {
            self->adoptDesktopState();
        }
    });
}

DesktopController::~DesktopController() {
    desktopSwitch_.setExternalChangeHandler({});
}

void DesktopController::hide(Origin origin) {
    qCInfo(lcDesktop) << "hide requested";
    request(true, origin);
}

void DesktopController::show(Origin origin) {
    qCInfo(lcDesktop) << "show requested";
    request(false, origin);
}

void DesktopController::request(bool hidden, Origin origin) {
    origin_ = origin;
    Q_EMIT changeRequested(hidden, origin);
    if (pending_) {
        pending_ = hidden;  // collapses into the change already waiting for its turn
        return;
    }
    if (takeTurn()) {
        apply(hidden);
        return;
    }
    pending_ = hidden;
    const qint64 wait = std::max<qint64>(kChangeSpacingMs - sinceTurn_.elapsed(), 0);
    qCInfo(lcDesktop).noquote() << QStringLiteral("spacing changes: waiting %1 ms").arg(wait);
    nextTurn_.start(static_cast<int>(wait));
}

bool DesktopController::takeTurn() {
    // One turn comes back per spacing period, up to the burst size.
    const qint64 earned = sinceTurn_.elapsed() / kChangeSpacingMs;
    if (earned > 0) {
        turns_ = static_cast<int>(std::min<qint64>(kBurstChanges, turns_ + earned));
        sinceTurn_.start();
    }
    if (turns_ == 0) {
        return false;
    }
    if (turns_ == kBurstChanges) {
        sinceTurn_.start();  // a full bucket earns nothing while it waits
    }
    --turns_;
    return true;
}

void DesktopController::finishPendingChange() {
    nextTurn_.stop();
    if (!pending_) {
        return;
    }
    const bool hidden = *pending_;
    pending_.reset();
    if (!takeTurn()) {
        // Early (a timer a little ahead, or a change finished by hand): it still counts as
        // this period's change, so the next one waits a whole spacing after it.
        sinceTurn_.start();
    }
    // The burst may have ended where it started: then the desktop needs no change at all.
    if (hidden != isDesktopHidden_) {
        apply(hidden);
    }
}

void DesktopController::apply(bool hidden) {
    if (hidden && preferences_.useCustomWallpaper()) {
        // The user's wallpaper is stored before anything changes; a hide that could not store
        // it would lose it, so it does not happen.
        if (auto error = wallpaper_.saveOriginals()) {
            fail(Failure::hide, error);
            return;
        }
    }
    if (auto error = desktopSwitch_.setCreatesDesktop(!hidden)) {
        // Nothing changed on the desktop, so nothing changes here: the next press tries again.
        fail(hidden ? Failure::hide : Failure::show, error);
        return;
    }
    setDesktopHidden(hidden);
    std::optional<QString> wallpaperError;
    if (!hidden) {
        // Runs whatever the setting says: pictures saved by an earlier session come back too.
        wallpaperError = wallpaper_.restoreOriginals();
    } else if (preferences_.useCustomWallpaper()) {
        wallpaperError = wallpaper_.applyCustom();
    }
    if (wallpaperError) {
        fail(Failure::wallpaper, wallpaperError);
    } else {
        setLastError(std::nullopt);
    }
}

void DesktopController::fail(Failure failure, const std::optional<QString>& reason) {
    setLastError(reason);
    if (reason && origin_ != Origin::settingsWindow) {
        Q_EMIT requestFailed(failure, *reason);
    }
}

void DesktopController::adoptDesktopState() {
    if (pending_) {
        return;  // the waiting change decides
    }
    const bool hidden = !desktopSwitch_.createsDesktop();
    if (hidden == isDesktopHidden_) {
        return;
    }
    qCInfo(lcDesktop).noquote() << (hidden ? QStringLiteral("the desktop hid its icons itself")
                                           : QStringLiteral("the desktop shows its icons again"));
    setDesktopHidden(hidden);
    if (hidden) {
        applyWallpaperIfNeeded();
    } else {
        setLastError(wallpaper_.restoreOriginals());
    }
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

QString DesktopController::desktopExplanation() const {
    return desktopSwitch_.explanation();
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
    if (error) {
        // Also in the log (the journal), for a failure nobody had the settings open to see.
        qCWarning(lcDesktop).noquote() << QStringLiteral("desktop change failed: %1").arg(*error);
    }
    Q_EMIT lastErrorChanged();
}

}  // namespace hushpane
