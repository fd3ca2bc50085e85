#pragma once

#include "settings/SettingsTexts.h"
#include "settings/WallpaperChooser.h"

#include <QString>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

namespace hushpane {

class AppUpdater;
class AutoHideController;
class DesktopController;
class LoginItemService;
class Preferences;

namespace settings {
class ElidedLabel;
class FormGroup;
class MenuBarIconPicker;
class ToggleSwitch;
class WallpaperThumbnail;
}  // namespace settings

// The settings form: six grouped sections (Desktop, Wallpaper, Menu Bar, General, Updates and
// the quit row). Every control shows a property of the shared objects and writes its edits
// straight back; the only value the form keeps itself is the launch-at-login switch, read from
// the login-item service once, when the form is made.
class SettingsView : public QWidget {
    Q_OBJECT
public:
    // Makes the "Keyboard shortcut" row: the recorder under the given label. May be empty, or
    // return nullptr; the row then shows its label alone.
    using ShortcutRowFactory = std::function<QWidget*(const QString& label, QWidget* parent)>;

    // `version` is the application's version text.
    SettingsView(Preferences& preferences, DesktopController& desktop, AppUpdater& updater,
                 LoginItemService& loginItems, QString version,
                 const ShortcutRowFactory& makeShortcutRow, QWidget* parent = nullptr);

    static constexpr int kWidth = 480;
    static const QString& wallpaperDescription();

    bool launchAtLogin() const { return launchAtLogin_; }

    // The texts that name where the program shows itself; the Finder's until set.
    void setTexts(const SettingsTexts& texts);

    // Adds the "Hide automatically" section after the Desktop section, and the reason the icons
    // are hidden under its switch.
    void setAutoHide(AutoHideController& autoHide);

    // Runs the wallpaper dialog and stores what the user chose.
    void chooseWallpaper();
    void setWallpaperDialogRunner(settings::WallpaperChooser::Runner runner) {
        dialogRunner_ = std::move(runner);
    }

    // The sections in order, for inspection.
    const QList<settings::FormGroup*>& sections() const { return sections_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    // The Quit button was pressed: the application should quit.
    void quitRequested();

private:
    // At the end, or after the section `after`.
    QLabel* addSection(const QString& header, settings::FormGroup* group,
                       settings::FormGroup* after = nullptr);
    void buildDesktopSection(const ShortcutRowFactory& makeShortcutRow);
    void buildWallpaperSection();
    void buildMenuBarSection();
    void buildGeneralSection();
    void buildUpdatesSection();
    void buildQuitSection();

    void showDesktopState();
    void showAutoHideReason();
    void showLastError();
    void showWallpaper();
    void setLaunchAtLogin(bool value);
    void runLoginItemStep(bool value);

    Preferences& preferences_;
    DesktopController& desktop_;
    AppUpdater& updater_;
    LoginItemService& loginItems_;
    QString version_;
    settings::WallpaperChooser::Runner dialogRunner_ = settings::WallpaperChooser::runModally;
    bool launchAtLogin_ = false;

    QList<settings::FormGroup*> sections_;
    settings::ToggleSwitch* hideSwitch_ = nullptr;
    AutoHideController* autoHide_ = nullptr;
    QWidget* autoHideReasonRow_ = nullptr;
    QLabel* autoHideReason_ = nullptr;
    QWidget* errorRow_ = nullptr;
    QLabel* errorText_ = nullptr;
    settings::ToggleSwitch* customWallpaperSwitch_ = nullptr;
    QWidget* wallpaperRow_ = nullptr;
    settings::WallpaperThumbnail* thumbnail_ = nullptr;
    settings::ElidedLabel* fileName_ = nullptr;
    settings::MenuBarIconPicker* picker_ = nullptr;
    settings::ToggleSwitch* launchAtLoginSwitch_ = nullptr;
    settings::ToggleSwitch* dockSwitch_ = nullptr;
    QLabel* iconSectionHeader_ = nullptr;
    QLabel* dockSwitchLabel_ = nullptr;
    QLabel* quitSubtitle_ = nullptr;
    QLabel* reachHint_ = nullptr;
    settings::ToggleSwitch* automaticUpdatesSwitch_ = nullptr;
    QPushButton* checkForUpdatesButton_ = nullptr;
};

}  // namespace hushpane
