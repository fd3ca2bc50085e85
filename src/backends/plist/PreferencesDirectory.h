#pragma once

#include <QString>

namespace hushpane::plist {

// $XDG_CONFIG_HOME/hushpane/Preferences, or ~/.config/hushpane/Preferences.
QString preferencesDirectory();

// The file that holds one domain: <directory>/<domain>.plist.
QString preferencesFile(const QString& domain);

}  // namespace hushpane::plist
