#pragma once

#include <functional>

class QAction;
class QMenuBar;

namespace hushpane {

// The application's main menu: the application, Desktop, Edit and Window menus. On macOS it
// is the global menu bar; elsewhere the settings window shows it as its own menu bar. Built
// once.
struct MainMenuActions {
    std::function<void()> showAbout;
    std::function<void()> showSettings;
    std::function<void()> checkForUpdates;
    std::function<void()> hideApplication;
    std::function<void()> quit;
    std::function<void()> toggleDesktop;
    // Shows the toggle shortcut on the toggle item and follows its changes.
    std::function<void(QAction*)> bindToggleShortcut;
};

QMenuBar* makeMainMenu(const MainMenuActions& actions);

}  // namespace hushpane
