# GNOME 48 on Wayland (Debian 13): gnome-shell headless with one virtual monitor, its Desktop
# Icons NG extension drawing the icons, the portals (xdg-desktop-portal with its GNOME
# back-end) by activation on the session bus. Screenshots come from the Shell itself, keys go in
# through Mutter's remote desktop interface. PipeWire and WirePlumber run first: the Shell's
# screen casts go through them.
# shellcheck source=gnome.sh
. "$(dirname "${BASH_SOURCE[0]}")/gnome.sh"

desktop_programs="gnome-shell gsettings dbus-daemon gdbus python3
dbus-update-activation-environment pipewire wireplumber"
desktop_current=GNOME
desktop_session=wayland
gnome_wayland_tools="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/tests/support"

desktop_start() {
  local socket=hushpane-gnome
  export WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland
  unset DISPLAY
  # What the bus starts (the portals) gets this environment too.
  dbus-update-activation-environment --all || return 1
  session_spawn pipewire pipewire
  session_wait 10 test -S "$XDG_RUNTIME_DIR/pipewire-0" || return 1
  WIREPLUMBER_DEBUG=E session_spawn wireplumber wireplumber
  gnome_start_shell wayland --headless --wayland --no-x11 --virtual-monitor 1280x800 \
    --wayland-display "$socket"
}

desktop_screenshot() {
  "$gnome_wayland_tools/gnome-screenshot" "$1"
}
desktop_press_keys() {
  "$gnome_wayland_tools/wayland-keys" gnome "$1"
}
