#pragma once

#include "menu/SymbolImage.h"
#include "menu/TrayIconColour.h"

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <optional>

class QMenu;
class QSystemTrayIcon;

namespace hushpane {

class AppUpdater;
class AutoHideController;
class DesktopController;
class Preferences;
class TrayPanel;

// The tray icon and its menu. The icon shows the chosen look in its shown or hidden form; the
// first item toggles the desktop and says what it will do.
class StatusItemController : public QObject {
    Q_OBJECT
public:
    // `trayPanel` (may be null) tells what the icon sits on, so it is drawn to be seen there.
    StatusItemController(DesktopController& desktop, Preferences& preferences, AppUpdater& updater,
                         const TrayPanel* trayPanel = nullptr, QObject* parent = nullptr);
    ~StatusItemController() override;

    QSystemTrayIcon* statusItem() const { return statusItem_.get(); }
    QMenu* menu() const { return menu_.get(); }
    // The first item; the owner shows the toggle shortcut on it.
    QAction* toggleItem() const { return toggleItem_; }
    // What the icon shows now (nothing when no picture could be found).
    const std::optional<SymbolImage>& currentImage() const { return currentImage_; }
    // The colours the icon is painted in now.
    const TrayIconColours& currentColours() const { return colours_; }

    // The tool tip then says when the icons were hidden automatically, and why.
    void setAutoHide(AutoHideController& autoHide);
    // "Hushpane: Desktop hidden", or the like.
    QString toolTip() const;

    // The panel draws the menu (see TrayPanel::drawsMenu): it shows no keys beside its items.
    bool menuDrawnByHost() const;

    void toggle();
    void checkForUpdates();

Q_SIGNALS:
    // After each redraw of the title and the icon.
    void redrawn();
    // "Settings…" was chosen, or the panel that draws the menu was clicked with the left button.
    void settingsRequested();
    // "Quit Hushpane" was chosen; the owner applies the application's quit rule.
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void update();
    void scheduleUpdate();
    void openMenuAtPointer();
    void waitForDocking();

    DesktopController& desktop_;
    Preferences& preferences_;
    AppUpdater& updater_;
    std::unique_ptr<QMenu> menu_;
    std::unique_ptr<QSystemTrayIcon> statusItem_;
    QPointer<QAction> toggleItem_;
    std::optional<SymbolImage> currentImage_;
    const TrayPanel* trayPanel_;
    AutoHideController* autoHide_ = nullptr;
    TrayIconColours colours_;
    QTimer dockingCheck_;
    int dockingChecksLeft_ = 0;
};

}  // namespace hushpane
