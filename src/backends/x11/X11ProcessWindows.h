#pragma once

#include <QtGlobal>

#include <optional>

namespace hushpane {

// The windows a process shows on this session's X display, told by the _NET_WM_PID its
// toolkit sets on each.
class X11ProcessWindows {
public:
    // How many of the process's windows are on screen (mapped), its desktop window
    // (_NET_WM_WINDOW_TYPE_DESKTOP) left out. Nothing when it cannot be told: no X display,
    // or a Wayland session, where another program's windows are not seen.
    static std::optional<int> openWindows(qint64 pid);
};

}  // namespace hushpane
