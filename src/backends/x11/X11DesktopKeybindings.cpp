#include "backends/x11/X11DesktopKeybindings.h"

#include "backends/x11/DesktopHotKeys.h"
#include "backends/x11/XcbConnection.h"

#include <QCoreApplication>

#include <xkbcommon/xkbcommon-x11.h>

#include <memory>

namespace hushpane::x11 {

X11DesktopKeybindings::X11DesktopKeybindings(Reader read, QString displayName)
    : read_(std::move(read)), displayName_(std::move(displayName)) {}

std::optional<QString> X11DesktopKeybindings::addKeybinding(const QString& /*name*/,
                                                            const QString& /*command*/,
                                                            qint64 /*carbonKeyCode*/,
                                                            qint64 /*carbonModifiers*/) {
    return QCoreApplication::translate(
        "hushpane::x11::X11DesktopKeybindings",
        "keybindings are not added to the desktop's settings in X11 sessions");
}

std::optional<QString> X11DesktopKeybindings::actionOnKeys(qint64 carbonKeyCode,
                                                           qint64 carbonModifiers) const {
    const QList<DesktopAccelerator> keybindings = read_ ? read_() : QList<DesktopAccelerator>{};
    if (keybindings.isEmpty()) {
        return std::nullopt;
    }
    const XcbConnection connection(displayName_);
    if (!connection.isValid() ||
        xkb_x11_setup_xkb_extension(
            connection.get(), XKB_X11_MIN_MAJOR_XKB_VERSION, XKB_X11_MIN_MINOR_XKB_VERSION,
            XKB_X11_SETUP_XKB_EXTENSION_NO_FLAGS, nullptr, nullptr, nullptr, nullptr) == 0) {
        return std::nullopt;
    }
    const int32_t device = xkb_x11_get_core_keyboard_device_id(connection.get());
    const std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(XKB_CONTEXT_NO_FLAGS), &xkb_context_unref);
    if (device < 0 || !context) {
        return std::nullopt;
    }
    const std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
        xkb_x11_keymap_new_from_device(context.get(), connection.get(), device,
                                       XKB_KEYMAP_COMPILE_NO_FLAGS),
        &xkb_keymap_unref);
    if (!keymap) {
        return std::nullopt;
    }
    return x11::actionOnKeys(keybindings, keymap.get(), carbonKeyCode, carbonModifiers);
}

}  // namespace hushpane::x11
