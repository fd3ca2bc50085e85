#pragma once

#include <QString>

namespace hushpane {

// The settings form's texts that name where the program shows itself: the menu bar and the
// Dock where the Finder-compatible switch is driven, the panel and the task bar on other
// desktops.
struct SettingsTexts {
    QString iconSection;    // the header of the icon picker's section
    QString taskBarSwitch;  // the switch that keeps the application in the task switcher; empty:
                            // the switch is left out
    QString quitSubtitle;   // what quitting does
    QString reachHint;      // how to open the settings where no icon shows; usually empty

    static SettingsTexts finder();
    static SettingsTexts linuxDesktop();
    // For a session without a system tray; `gnomeShell` names the extension that gives one.
    static QString noTrayHint(bool gnomeShell);
};

}  // namespace hushpane
