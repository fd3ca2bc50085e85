#pragma once

class QAction;
class QMenu;

namespace hushpane {

// The application's main menu: the application, Desktop, Edit and Window menus, as the items of
// one menu that is never shown itself. On macOS it is the global menu bar; elsewhere the
// settings window shows its items in a menu bar of its own, made with the window, so launching
// builds only these plain menus (a menu bar loads the style's icons and with them every image
// format plugin). Built once.
//
// The Edit and Window items, and "Hide Hushpane", act on their own; the items below are the
// application's to connect.
struct MainMenu {
    QMenu* menu = nullptr;  // owned by the caller; it owns the items
    QAction* about = nullptr;
    QAction* settings = nullptr;
    QAction* checkForUpdates = nullptr;
    QAction* quit = nullptr;
    // Also where the toggle shortcut is shown.
    QAction* toggleDesktop = nullptr;
};

MainMenu makeMainMenu();

}  // namespace hushpane
