#include "settings/SettingsTexts.h"

#include <QCoreApplication>

namespace hushpane {

SettingsTexts SettingsTexts::finder() {
    return {QCoreApplication::translate("hushpane::SettingsView", "Menu Bar"),
            QCoreApplication::translate("hushpane::SettingsView", "Show in Dock"),
            QCoreApplication::translate(
                "SettingsView",
                "Shows your desktop again and removes the menu bar icon until you open the app."),
            QString()};
}

SettingsTexts SettingsTexts::linuxDesktop() {
    return {QCoreApplication::translate("hushpane::SettingsView", "Panel Icon"),
            QCoreApplication::translate("hushpane::SettingsView", "Show in task bar"),
            QCoreApplication::translate("hushpane::SettingsView",
                                        "Shows your desktop again and takes the icon off the "
                                        "panel until you start Hushpane again."),
            QString()};
}

QString SettingsTexts::noTrayHint(bool gnomeShell) {
    QString text = QCoreApplication::translate(
        "hushpane::SettingsView",
        "This session has no system tray, so Hushpane shows no icon. To open these settings "
        "again, run hushpane hushpane://settings or choose Settings from Hushpane's entry in "
        "the applications menu.");
    if (gnomeShell) {
        text += QLatin1Char(' ') + QCoreApplication::translate(
                                       "hushpane::SettingsView",
                                       "GNOME shows tray icons with the AppIndicator extension "
                                       "(package gnome-shell-extension-appindicator).");
    }
    return text;
}

}  // namespace hushpane
