#pragma once

#include "platform/KeyboardLayout.h"

#include <memory>

#include <xkbcommon/xkbcommon.h>

namespace hushpane::x11 {

class XcbConnection;

// The layout of the X server's core keyboard, read with xkbcommon and read again when the
// server announces a new keyboard, a new keymap or a switch to another layout group. Keys are
// named by the first group that types Latin letters (so a Russian group does not rename D);
// only a keymap without one follows the active group.
class X11KeyboardLayout : public KeyboardLayout {
public:
    // An empty name means $DISPLAY.
    explicit X11KeyboardLayout(const QString& displayName = {});
    ~X11KeyboardLayout() override;
    X11KeyboardLayout(const X11KeyboardLayout&) = delete;
    X11KeyboardLayout& operator=(const X11KeyboardLayout&) = delete;

    // False without an X server or without XKB; then every key has no character.
    bool isValid() const;

    std::optional<QString> characterForKey(CarbonKeyCode carbonKeyCode) override;

    // Layout changes arrive from the Qt event loop; tests can hand them over sooner.
    void processPendingEvents();

private:
    void reload();

    std::unique_ptr<XcbConnection> connection_;
    xkb_context* context_ = nullptr;
    xkb_keymap* keymap_ = nullptr;
    // The active group, and the first Latin one when there is one.
    xkb_layout_index_t layout_ = 0;
    std::optional<xkb_layout_index_t> asciiLayout_;
    int32_t deviceId_ = -1;
    uint8_t xkbFirstEvent_ = 0;
    bool stale_ = true;
};

}  // namespace hushpane::x11
