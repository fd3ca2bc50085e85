#pragma once

#include "services/WallpaperController.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>

namespace hushpane {

class DesktopSwitch;
class Preferences;
class Workspace;

// Owns whether the desktop icons are hidden. hide() and show() switch the desktop, record the
// new state and swap or restore the wallpaper; the last failure the user should see is kept in
// lastError(). Both signals fire only on a real change.
//
// The state always follows the desktop: a switch that fails leaves it as it was, and a change
// the desktop reports on its own is adopted.
//
// Requests are spaced out so a burst (a script, a held shortcut) never floods the desktop: a
// few go through at once, and beyond that each waits for its turn, while waiting requests
// collapse into the last one. Callers that flip the state read wantsDesktopHidden().
class DesktopController : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool isDesktopHidden READ isDesktopHidden NOTIFY isDesktopHiddenChanged)
public:
    // Changes that go through at once before spacing starts, and the spacing between changes
    // after that.
    static constexpr int kBurstChanges = 4;
    static constexpr int kChangeSpacingMs = 300;

    // Where a request came from: the settings window shows a failure itself; elsewhere (the
    // shortcut, the tray menu, a URL command) and for the automatic hiding the user sees it
    // only if it is told.
    enum class Origin { elsewhere, settingsWindow, automatic };
    // What did not happen.
    enum class Failure { hide, show, wallpaper };

    // Adopts the desktop's current state without writing anything.
    DesktopController(DesktopSwitch& desktopSwitch, Preferences& preferences, Workspace& workspace,
                      QObject* parent = nullptr);
    ~DesktopController() override;

    bool isDesktopHidden() const { return isDesktopHidden_; }
    // The state the last request asked for: what a toggle should flip.
    bool wantsDesktopHidden() const { return pending_.value_or(isDesktopHidden_); }
    bool hasPendingChange() const { return pending_.has_value(); }
    const std::optional<QString>& lastError() const { return lastError_; }

    void hide(Origin origin = Origin::elsewhere);
    void show(Origin origin = Origin::elsewhere);

    // Carries out a waiting request now (before quitting).
    void finishPendingChange();

    // After the user switched the custom wallpaper or chose another picture.
    void wallpaperSettingsChanged();

    // Which desktop the controller drives, and what hiding does there, for the settings window.
    QString desktopDescription() const;
    QString desktopExplanation() const;

Q_SIGNALS:
    void isDesktopHiddenChanged(bool hidden);
    // Every hide or show asked for, before it is carried out or waits for its turn.
    void changeRequested(bool hidden, hushpane::DesktopController::Origin origin);
    void lastErrorChanged();
    // A hide or show asked for elsewhere than in the settings window failed, or the wallpaper
    // it should have changed did not change.
    void requestFailed(hushpane::DesktopController::Failure failure, const QString& reason);

private:
    void request(bool hidden, Origin origin);
    void apply(bool hidden);
    void fail(Failure failure, const std::optional<QString>& reason);
    bool takeTurn();
    void adoptDesktopState();
    void setDesktopHidden(bool hidden);
    void setLastError(const std::optional<QString>& error);
    void applyWallpaperIfNeeded();

    DesktopSwitch& desktopSwitch_;
    Preferences& preferences_;
    WallpaperController wallpaper_;
    bool isDesktopHidden_ = false;
    std::optional<QString> lastError_;
    std::optional<bool> pending_;
    Origin origin_ = Origin::elsewhere;  // of the request being carried out or waiting
    int turns_ = kBurstChanges;
    QElapsedTimer sinceTurn_;
    QTimer nextTurn_;
};

}  // namespace hushpane
