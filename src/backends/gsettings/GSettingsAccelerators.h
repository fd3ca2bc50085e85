#pragma once

#include <QStringList>

namespace hushpane {

// The window manager's and the settings daemon's own keyboard shortcuts of the GNOME family,
// read from their settings through GIO: every string and string-list value of the schemas that
// are installed ("<Super>d", "<Alt>Tab", "XF86AudioMute"), empty values left out. A read comes
// from the settings database itself and starts no daemon.
QStringList gsettingsAccelerators(const QStringList& schemas);

// The schemas GNOME keeps its window-manager and media-key shortcuts in.
const QStringList& gnomeKeybindingSchemas();

}  // namespace hushpane
