#pragma once

#include "platform/DesktopKeybindings.h"

namespace hushpane {

// GNOME's custom keyboard shortcuts (Settings > Keyboard > Custom Shortcuts): the list
// "custom-keybindings" of org.gnome.settings-daemon.plugins.media-keys names one path per
// shortcut, each with its name, command and binding. Read and written through GSettings, so
// GNOME applies a new one at once.
class GnomeCustomKeybindings : public DesktopKeybindings {
public:
    static constexpr auto kSchema = "org.gnome.settings-daemon.plugins.media-keys";
    static constexpr auto kEntrySchema =
        "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding";
    static constexpr auto kListKey = "custom-keybindings";
    static constexpr auto kPathPrefix =
        "/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/";

    bool isAvailable() const override;
    std::optional<QString> addKeybinding(const QString& name, const QString& command,
                                         qint64 carbonKeyCode, qint64 carbonModifiers) override;
};

}  // namespace hushpane
