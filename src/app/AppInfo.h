#pragma once

#include <QIcon>
#include <QString>

#include <optional>

namespace hushpane::AppInfo {

// The desktop entry's id (app.hushpane.Hushpane.desktop), also the name of the application
// icon in the icon theme.
inline constexpr auto kDesktopEntryId = "app.hushpane.Hushpane";

// The short version text, "0.1.0" style; empty when the build did not say.
QString version();

// The application icon: the installed one from the icon theme, else the copy built in.
QIcon icon();

// The command that starts Hushpane or hands it URLs (<prefix>/bin/hushpane, build/hushpane), as
// an absolute path: what the login item and the desktop's shortcuts run. The program's own path
// when no launcher is beside it.
QString launcherPath();
// The launcher for a program in `programDir`, or nothing.
std::optional<QString> launcherBeside(const QString& programDir);

}  // namespace hushpane::AppInfo
