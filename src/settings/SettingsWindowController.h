#pragma once

#include "settings/SettingsView.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <memory>

class QMenu;
class QScrollArea;

namespace hushpane {

class AutoHideController;

class AppUpdater;
class DesktopController;
class LoginItemService;
class Preferences;

// Owns the one settings window. It is made on the first show(), kept when the user closes it,
// and brought forward by every later show(). The owner hears of each presentation and each
// close through visibilityChanged(), always after the window's visibility has changed, so the
// owner can read isWindowVisible() to decide on the Dock icon.
class SettingsWindowController : public QObject {
    Q_OBJECT
public:
    // The items of `mainMenu` (may be null; a menu of menus, owned by the caller) make the
    // window's menu bar. `version` is shown in the Updates section.
    SettingsWindowController(Preferences& preferences, DesktopController& desktop,
                             AppUpdater& updater, LoginItemService& loginItems, QString version,
                             SettingsView::ShortcutRowFactory makeShortcutRow, QMenu* mainMenu,
                             QObject* parent = nullptr);
    ~SettingsWindowController() override;

    // Presents the window one main-loop turn later; returns at once.
    void show();

    // The form gets its "Hide automatically" section (set before the window is first shown).
    void setAutoHide(AutoHideController* autoHide) { autoHide_ = autoHide; }

    // The texts that name where the program shows itself (the Finder's until set).
    void setTexts(const SettingsTexts& texts);

    // Null until the first presentation, then the one settings window.
    QWidget* window() const { return window_.get(); }
    bool isWindowVisible() const { return window_ && window_->isVisible(); }
    SettingsView* view() const { return view_; }
    // What holds the form; it scrolls when the screen is too short for the whole form.
    QScrollArea* scrollArea() const { return scrollArea_; }

Q_SIGNALS:
    // The window was presented, or closed (one main-loop turn after the close).
    void visibilityChanged();
    // The form's Quit button was pressed; the owner applies the application's quit rule.
    void quitRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void present();
    std::unique_ptr<QWidget> makeWindow();
    void center();
    void fitToScreen();
    void keepOnScreen();
    void windowDidClose();

    Preferences& preferences_;
    DesktopController& desktop_;
    AppUpdater& updater_;
    LoginItemService& loginItems_;
    QString version_;
    SettingsView::ShortcutRowFactory makeShortcutRow_;
    QPointer<QMenu> mainMenu_;
    std::unique_ptr<QWidget> window_;
    SettingsView* view_ = nullptr;
    AutoHideController* autoHide_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    SettingsTexts texts_ = SettingsTexts::finder();
    QMargins knownFrame_;
};

}  // namespace hushpane
