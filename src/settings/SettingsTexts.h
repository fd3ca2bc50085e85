#pragma once

#include <QString>

namespace hushpane {

// The settings form's texts that name where the program shows itself: the menu bar and the
// Dock where the Finder-compatible switch is driven, the panel and the task bar on other
// desktops.
struct SettingsTexts {
    QString iconSection;    // the header of the icon picker's section
    QString taskBarSwitch;  // the switch that keeps the application in the task switcher
    QString quitSubtitle;   // what quitting does

    static SettingsTexts finder();
    static SettingsTexts linuxDesktop();
};

}  // namespace hushpane
