#pragma once

#include <QLoggingCategory>

namespace hushpane {

// The application's bundle identifier, used as log subsystem and defaults domain.
inline constexpr auto kBundleIdentifier = "app.hushpane";

// "app.hushpane.desktop": the desktop controller's log.
Q_DECLARE_LOGGING_CATEGORY(lcDesktop)
// "app.hushpane.preferences": the preference files.
Q_DECLARE_LOGGING_CATEGORY(lcPreferences)

}  // namespace hushpane
