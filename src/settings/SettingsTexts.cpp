#include "settings/SettingsTexts.h"

#include <QCoreApplication>

namespace hushpane {

SettingsTexts SettingsTexts::finder() {
    return {QCoreApplication::translate("hushpane::SettingsView", "Menu Bar"),
            QCoreApplication::translate("hushpane::SettingsView", "Show in Dock"),
            QCoreApplication::translate(
                "SettingsView",
                "Shows your desktop again and removes the menu bar icon until you open the app.")};
}

SettingsTexts SettingsTexts::linuxDesktop() {
    return {QCoreApplication::translate("hushpane::SettingsView", "Panel Icon"),
            QCoreApplication::translate("hushpane::SettingsView", "Show in task bar"),
            QCoreApplication::translate("hushpane::SettingsView",
                                        "Shows your desktop again and takes the icon off the "
                                        "panel until you start Hushpane again.")};
}

}  // namespace hushpane
