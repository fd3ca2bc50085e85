#pragma once

#include <functional>

class QAction;
class QMenu;

namespace hushpane {

// The application's main menu: the application, Desktop, Edit and Window menus, as the items of
// one menu that is never shown itself. On macOS it is the global menu bar; elsewhere the
// settings window shows its items in a menu bar of its own, made with the window, so launching
// builds only these plain menus (a menu bar loads the style's icons and with them every image
// format plugin). Built once.
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

QMenu* makeMainMenu(const MainMenuActions& actions);

}  // namespace hushpane
