#pragma once

#include "backends/xfce/XfconfClient.h"
#include "platform/DesktopKeybindings.h"

#include <QList>

namespace hushpane {

// What XFCE binds to keys, from xfconf's channel "xfce4-keyboard-shortcuts": the commands
// (xfsettingsd runs them) and the window manager's actions (xfwm4). Each part counts with the
// user's own set where there is one ("custom"), else with the defaults.
class XfceKeyboardShortcuts {
public:
    static constexpr auto kChannel = "xfce4-keyboard-shortcuts";

    explicit XfceKeyboardShortcuts(XfconfClient client) : client_(std::move(client)) {}

    // Commands as written ("xfce4-screenshooter -f"), window-manager actions in words
    // ("Show desktop" for "show_desktop_key"); empty when xfconf cannot be asked.
    QList<DesktopAccelerator> accelerators() const;

    // "show_desktop_key" -> "Show desktop".
    static QString actionInWords(const QString& name);

private:
    XfconfClient client_;
};

}  // namespace hushpane
