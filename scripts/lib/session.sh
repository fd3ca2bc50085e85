# The private session every script that runs Hushpane or its tests uses. Sourcing this file
# gives the script a throw-away HOME with its XDG directories (nothing touches the real user's
# settings) and ends everything started through it, newest first and each by its own pid, when
# the script exits; the services the private bus activated (each owner of a well-known name on
# it) go first. The pieces are started on request:
#
#   session_start_display [WxHxD]   Xvfb on a free display number (1280x800x24 unless given),
#                                   exported as DISPLAY
#   session_start_bus               a private D-Bus session bus, exported as
#                                   DBUS_SESSION_BUS_ADDRESS; what it activates (xfconfd, dconf)
#                                   inherits this environment, so it sees the private HOME
#   session_start_window_manager    openbox on the display
#   session_start_tray COLOUR       a system tray panel (trayer) along the bottom edge, tinted
#                                   COLOUR (0xRRGGBB), its height kept out of the work area
#                                   like a desktop's panel; COLOUR is exported as
#                                   HUSHPANE_TEST_TRAY_COLOUR for the tests that look at it
#   session_start_parts PARTS       what a test asks for in one word, comma-separated:
#                                   display[=WxH], wm, tray=COLOUR, bus, scale=N (Qt's scale
#                                   factor), desktop=PROFILE (a desktop with sample icons, see
#                                   session_start_test_desktop); the display comes first when
#                                   another part needs it
#   session_start_test_desktop PROFILE
#                                   three files and a folder on the desktop, the desktop from
#                                   PROFILE drawn, and what a test needs to know of it exported:
#                                   HUSHPANE_TEST_DESKTOP (the profile), HUSHPANE_TEST_BEHIND_ICONS
#                                   (the colour around the icons), HUSHPANE_TEST_ICON_AREA,
#                                   HUSHPANE_TEST_DRAWN (the screenshot the drawn check accepted),
#                                   HUSHPANE_TEST_WALLPAPER (the user's picture) and
#                                   HUSHPANE_TEST_SESSION_DIR (its programs' logs)
#   session_run PARTS CMD...        starts PARTS and runs CMD in that session; CMD's exit status
#   session_start_desktop PROFILE   a desktop from scripts/lib/desktops/PROFILE.sh on the
#                                   display (bus and window manager started first when missing),
#                                   with a plain wallpaper of $session_wallpaper_color; returns
#                                   once it is drawn (see session_wait_drawn), non-zero with a
#                                   message on stderr when it never is. Put files into
#                                   $HOME/Desktop first: a desktop without icons is not drawn.
#   session_spawn NAME CMD...       runs CMD in the background with its output in
#                                   $session_dir/NAME.log; its pid is in $session_last_pid
#   session_wait SECONDS CMD...     polls CMD every 0.2 s; false when the time runs out
#   session_im TOOL ARGS...         ImageMagick's convert, import or compare (another convert
#                                   may come first on PATH)
#   session_wait_drawn SECONDS [AREA]
#                                   waits until the screen shows the wallpaper colour and icons
#                                   (in AREA, WxH+X+Y, the left column by default) in two equal
#                                   screenshots in a row; the last one is $session_dir/drawn.png
#   session_screenshot FILE         a PNG of the screen: the profile's desktop_screenshot, or the
#                                   X display's root window
#
# A desktop profile (scripts/lib/desktops/NAME.sh) defines:
#   desktop_programs                the programs it needs (checked before anything starts)
#   desktop_current                 the value of XDG_CURRENT_DESKTOP it runs under
#   desktop_set_wallpaper FILE      makes FILE the wallpaper, stretched, before the start
#   desktop_start                   starts its programs with session_spawn
# and may define:
#   desktop_session                 "wayland" for a profile whose desktop_start brings its own
#                                   compositor (and its own X server when it wants one): no
#                                   Xvfb and no openbox are started for it, the session's Qt
#                                   platform is wayland, and the test runs on Qt's offscreen one
#   desktop_screenshot FILE         writes a PNG of the screen, where the X root window is not it
#   desktop_press_keys COMBO        presses and releases keys (ctrl+alt+super+d), where xdotool
#                                   does not reach the desktop
#   desktop_behind_icons            the colour the screen shows around the icons when it is not
#                                   the wallpaper's (nothing draws the wallpaper); the drawn
#                                   check looks for it instead
#   desktop_icon_area               the part of the screen the icons are drawn in, WxH+X+Y,
#                                   when the left column holds more (a top bar)
#   desktop_icons_state             prints the setting that says whether icons are drawn, and
#   desktop_icons_hidden            its value while they are hidden
#   desktop_picture                 prints the picture the desktop's settings name for the
#                                   first screen (a path or a file: URI, as the desktop keeps it)
#   desktop_picture_on DISPLAY      the same for the display (RandR monitor) named DISPLAY, where
#                                   the desktop follows displays attached while it runs
#   desktop_answering               the process Hushpane asks to make a change (stopped, it
#                                   must not answer); the program that draws the icons unless
#                                   another one keeps the settings
#   desktop_drawing                 the program that draws the icons, where it is not
#                                   desktop_answering
#   desktop_custom_wallpaper_drawn  "no" when nothing here draws a picture while the icons are
#                                   hidden (the desktop's own shell, which does, does not run)
# scripts/lib/desktop-query PROFILE FUNCTION runs one of these in a test's session.
#
# The variables a script may read: session_dir (logs and scratch files), session_pids.

session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
session_dir=$(mktemp -d /tmp/hushpane-session.XXXXXX)
session_pids=()
session_last_pid=""
session_wallpaper_color="#3a6ea5"

session_say() { printf 'session: %s\n' "$*" >&2; }

session_end() {
  local i name pid
  for name in $(session_bus_names); do
    pid=$(session_bus_owner_pid "$name")
    if [ -n "$pid" ] && [ "$pid" != $$ ]; then
      kill -CONT "$pid" 2>/dev/null || true
      kill "$pid" 2>/dev/null || true
    fi
  done
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
    kill "${session_pids[i]}" 2>/dev/null || true
  done
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
    wait "${session_pids[i]}" 2>/dev/null || true
  done
  rm -rf "$session_dir"
}
trap session_end EXIT

session_spawn() {
  local name=$1
  shift
  "$@" >"$session_dir/$name.log" 2>&1 &
  session_last_pid=$!
  session_pids+=("$session_last_pid")
}

session_wait() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then return 1; fi
    sleep 0.2
  done
}

session_im() {
  local tool=$1
  shift
  if [ -x "/usr/bin/$tool" ]; then "/usr/bin/$tool" "$@"; else "$tool" "$@"; fi
}

session_start_display() {
  exec 3>"$session_dir/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x800x24}" -nolisten tcp -noreset \
    >"$session_dir/xvfb.log" 2>&1 &
  session_pids+=($!)
  exec 3>&-
  if ! session_wait 20 test -s "$session_dir/display"; then
    session_say "Xvfb did not start:"
    cat "$session_dir/xvfb.log" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$session_dir/display")"
}

session_start_bus() {
  dbus-daemon --session --nofork --nopidfile --print-address=1 >"$session_dir/bus" \
    2>"$session_dir/bus.log" &
  session_pids+=($!)
  if ! session_wait 20 test -s "$session_dir/bus"; then
    session_say "the private D-Bus session bus did not start:"
    cat "$session_dir/bus.log" >&2
    return 1
  fi
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$session_dir/bus")
  export DBUS_SESSION_BUS_ADDRESS
  session_bus_started=1
}

session_start_window_manager() {
  session_spawn openbox openbox
}

session_start_tray() {
  local colour=$1 height=28 panel="" width
  [ -n "${DISPLAY:-}" ] || session_start_display || return 1
  session_spawn trayer trayer --edge bottom --align right --widthtype request \
    --height "$height" --transparent true --alpha 0 --tint "$colour" --expand true
  panel_window() {
    panel=$(xdotool search --onlyvisible --class trayer 2>/dev/null | head -n1 || true)
    [ -n "$panel" ]
  }
  if ! session_wait 20 panel_window; then
    session_say "trayer did not start:"
    cat "$session_dir/trayer.log" >&2
    return 1
  fi
  # trayer does not reserve its height as a panel does, so windows would be placed under it.
  width=$(xdpyinfo 2>/dev/null | awk '/dimensions:/ {split($2, d, "x"); print d[1]; exit}')
  xprop -id "$panel" -f _NET_WM_STRUT_PARTIAL 32c \
    -set _NET_WM_STRUT_PARTIAL "0,0,0,$height,0,0,0,0,0,0,0,$((${width:-1280} - 1))"
  export HUSHPANE_TEST_TRAY_COLOUR=$colour
}

session_start_parts() {
  local part size="" wm="" tray="" bus="" desktop=""
  for part in ${1//,/ }; do
    case "$part" in
      display) ;;
      display=*) size=${part#display=}x24 ;;
      wm) wm=1 ;;
      tray=*) tray=${part#tray=} ;;
      bus) bus=1 ;;
      scale=*) export QT_SCALE_FACTOR=${part#scale=} ;;
      desktop=*) desktop=${part#desktop=} bus=1 ;;
      *)
        session_say "unknown session part $part"
        return 1
        ;;
    esac
  done
  if [ -n "$desktop" ] && [ "$(session_profile_variable "$desktop" desktop_session)" = wayland ]; then
    session_start_bus || return 1
    session_start_test_desktop "$desktop" || return 1
    # The test itself needs no display: it sees the screen through the profile's screenshots.
    export QT_QPA_PLATFORM=offscreen
    return 0
  fi
  session_start_display ${size:+"$size"} || return 1
  [ -z "$bus" ] || session_start_bus || return 1
  if [ -n "$desktop" ]; then
    session_start_test_desktop "$desktop" || return 1
  elif [ -n "$wm" ]; then
    session_start_window_manager
    session_wait 10 session_wm_running || session_say "openbox is not running yet"
  fi
  [ -z "$tray" ] || session_start_tray "$tray" || return 1
  export QT_QPA_PLATFORM=xcb
}

session_run() {
  session_start_parts "$1" || return 1
  shift
  "$@"
}

# True once a window manager has announced itself on the display.
session_wm_running() {
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# A variable a desktop profile sets, read without starting anything.
session_profile_variable() {
  local profile="$session_root/scripts/lib/desktops/$1.sh"
  [ -f "$profile" ] || return 0
  # shellcheck disable=SC1090
  (. "$profile" && printf '%s\n' "${!2:-}")
}

session_screenshot() {
  if declare -F desktop_screenshot >/dev/null; then
    desktop_screenshot "$1"
  else
    session_im import -window root "$1"
  fi
}

session_bus_owner_pid() {
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || return 0
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID "string:$1" 2>/dev/null |
    awk '/uint32/ {print $2}' || true
}

# The well-known names on the private bus (none without one).
session_bus_names() {
  [ -n "${session_bus_started:-}" ] || return 0
  dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.ListNames 2>/dev/null |
    awk -F'"' '/string "/ && $2 !~ /^:/ && $2 != "org.freedesktop.DBus" {print $2}' || true
}

# The screen check: a program of the test support, built on first use.
session_check_program() {
  local build=${HUSHPANE_BUILD_DIR:-$session_root/build}
  local program="$build/tests/bin/desktop_screen_check"
  if [ ! -x "$program" ]; then
    if [ ! -f "$build/build.ninja" ]; then
      cmake -S "$session_root" -B "$build" -G Ninja >/dev/null || return 1
    fi
    cmake --build "$build" --target desktop_screen_check >/dev/null || return 1
  fi
  printf '%s\n' "$program"
}

session_wait_drawn() {
  local seconds=$1 area=${2:-} check previous="$session_dir/drawn-previous.png"
  local shot="$session_dir/drawn.png"
  check=$(session_check_program) || {
    session_say "cannot build the screen check"
    return 1
  }
  rm -f "$shot" "$previous"
  drawn() {
    if [ -f "$shot" ]; then mv "$shot" "$previous"; fi
    session_screenshot "$shot" 2>/dev/null || return 1
    [ -f "$previous" ] || return 1
    "$check" "${session_behind_icons:-$session_wallpaper_color}" "$shot" "$previous" \
      ${area:+"$area"} >"$session_dir/drawn.txt" 2>&1
  }
  if ! session_wait "$seconds" drawn; then
    session_say "the desktop was not drawn within $seconds s: $(cat "$session_dir/drawn.txt")"
    return 1
  fi
}

session_start_desktop() {
  local profile="$session_root/scripts/lib/desktops/$1.sh" program
  if [ ! -f "$profile" ]; then
    session_say "no desktop profile $1 ($profile)"
    return 1
  fi
  # shellcheck source=desktops/xfce.sh
  . "$profile"
  for program in $desktop_programs; do
    if ! command -v "$program" >/dev/null; then
      session_say "$1 needs $program, which is not installed"
      return 1
    fi
  done
  export XDG_CURRENT_DESKTOP=$desktop_current
  if [ "${desktop_session:-x11}" != wayland ]; then
    [ -n "${DISPLAY:-}" ] || session_start_display || return 1
  fi
  [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] || session_start_bus || return 1
  mkdir -p "$HOME/Desktop"
  session_im convert -size 64x64 "xc:$session_wallpaper_color" "$session_dir/wallpaper.png"
  desktop_set_wallpaper "$session_dir/wallpaper.png" || return 1
  if [ "${desktop_session:-x11}" = wayland ]; then
    export XDG_SESSION_TYPE=wayland
  else
    session_start_window_manager
  fi
  desktop_start || return 1
  session_behind_icons=${desktop_behind_icons:-}
  session_wait_drawn 60 ${desktop_icon_area:-}
}

session_start_test_desktop() {
  mkdir -p "$HOME/Desktop/Projects"
  printf 'Buy milk\n' >"$HOME/Desktop/todo.md"
  printf 'Hushpane\n' >"$HOME/Desktop/notes.txt"
  printf '%%PDF-1.4\n' >"$HOME/Desktop/report.pdf"
  session_start_desktop "$1" || return 1
  cp "$session_dir/drawn.png" "$session_dir/before.png"
  export HUSHPANE_TEST_DESKTOP=$1 HUSHPANE_TEST_DRAWN="$session_dir/before.png" \
    HUSHPANE_TEST_BEHIND_ICONS=${desktop_behind_icons:-$session_wallpaper_color} \
    HUSHPANE_TEST_ICON_AREA=${desktop_icon_area:-} \
    HUSHPANE_TEST_WALLPAPER="$session_dir/wallpaper.png" HUSHPANE_TEST_SESSION_DIR="$session_dir"
}

export HOME="$session_dir/home" XDG_CONFIG_HOME="$session_dir/home/.config" \
  XDG_DATA_HOME="$session_dir/home/.local/share" XDG_CACHE_HOME="$session_dir/home/.cache" \
  XDG_RUNTIME_DIR="$session_dir/runtime"
# The applications folder is there from the start: programs that watch it (the portal's
# list of installed applications) see a desktop entry a test installs later.
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME/applications" "$XDG_CACHE_HOME" "$HOME/Desktop"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS
export NO_AT_BRIDGE=1
