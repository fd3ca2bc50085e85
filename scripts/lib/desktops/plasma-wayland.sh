# KDE Plasma 6 on Wayland (Debian 13): KWin as the compositor, kded6 (the StatusNotifierWatcher),
# plasmashell with its panel (the tray that shows Hushpane) and its folder view drawing the
# wallpaper and the icons; kglobalaccel runs inside KWin, and the portals (xdg-desktop-portal
# with its KDE back-end) come by activation on the session bus. There is no GPU here: KWin draws
# into a window of a private Xvfb (its X11 windowed back-end), which is only where screenshots
# come from; nothing of the session sees that X server. Keys go in through KWin's fake-input
# protocol. System Settings is a stand-in that notes every start, with its arguments, in
# $HUSHPANE_TEST_SETTINGS_OPENED: whatever opens it (its program or a systemsettings:// URL) is
# seen there.
# shellcheck source=plasma.sh
. "$(dirname "${BASH_SOURCE[0]}")/plasma.sh"

desktop_programs="kwin_wayland kded6 plasmashell Xvfb gdbus python3
dbus-update-activation-environment"
desktop_current=KDE
desktop_session=wayland
plasma_wayland_tools="$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)/tests/support"

# What a user's System Settings would be started for: its program and its URL scheme.
plasma_wayland_watch_settings() {
  local bin="$session_dir/bin" program
  export HUSHPANE_TEST_SETTINGS_OPENED="$session_dir/settings-opened"
  mkdir -p "$bin" "$XDG_DATA_HOME/applications"
  for program in systemsettings kcmshell6; do
    printf '#!/bin/sh\nprintf "%%s %%s\\n" %s "$*" >>"%s"\n' "$program" \
      "$HUSHPANE_TEST_SETTINGS_OPENED" >"$bin/$program"
    chmod +x "$bin/$program"
  done
  printf '%s\n' '[Desktop Entry]' 'Type=Application' 'Name=System Settings' \
    "Exec=$bin/systemsettings %u" 'MimeType=x-scheme-handler/systemsettings;' \
    >"$XDG_DATA_HOME/applications/systemsettings.desktop"
  printf '%s\n' '[Default Applications]' 'x-scheme-handler/systemsettings=systemsettings.desktop' \
    >"$XDG_CONFIG_HOME/mimeapps.list"
  export PATH="$bin:$PATH"
}

desktop_start() {
  local socket=hushpane-kwin
  session_start_display || return 1
  export HUSHPANE_TEST_SCREEN_DISPLAY=$DISPLAY
  plasma_wayland_watch_settings
  # As Plasma's own session start: without the menu prefix KDE finds no applications, and a
  # systemsettings:// URL would open nothing.
  export KDE_FULL_SESSION=true KDE_SESSION_VERSION=6 LIBGL_ALWAYS_SOFTWARE=1 \
    QT_QUICK_BACKEND=software WAYLAND_DISPLAY=$socket QT_QPA_PLATFORM=wayland \
    XDG_MENU_PREFIX=plasma-
  # What the bus starts (the portals, which KWin may already ask) is a Wayland client of this
  # session, and never sees the X server.
  env -u DISPLAY dbus-update-activation-environment --all || return 1
  KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 session_spawn kwin kwin_wayland --x11-display "$DISPLAY" \
    --width 1280 --height 800 --no-lockscreen --socket "$socket"
  if ! session_wait 60 test -S "$XDG_RUNTIME_DIR/$socket"; then
    session_say "KWin did not start:"
    tail -20 "$session_dir/kwin.log" >&2
    return 1
  fi
  unset DISPLAY
  session_spawn kded kded6
  session_spawn plasmashell plasmashell --no-respawn
  plasma_set_up
}

desktop_screenshot() {
  local import=/usr/bin/import
  [ -x "$import" ] || import=import
  DISPLAY=$HUSHPANE_TEST_SCREEN_DISPLAY "$import" -window root "$1"
}
desktop_press_keys() {
  "$plasma_wayland_tools/wayland-keys" kwin "$1"
}
# The icons' column, above the panel along the bottom edge (its clock changes).
desktop_icon_area=200x700+0+0
