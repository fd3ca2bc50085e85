#!/usr/bin/env bash
# run-installed.sh STAND_IN_FINDER: the installed hushpane (first on PATH) on this session bus,
# driven the way a user's desktop drives it. Exits with the number of failed checks.
set -u
finder=$1
# shellcheck source=check.sh
. "$(dirname "${BASH_SOURCE[0]}")/check.sh"
prefs=$XDG_CONFIG_HOME/hushpane/Preferences

create_desktop_is() {  # the Finder-compatible switch's stored value, as Python prints it
  [ "$(python3 -c 'import plistlib, sys; print(plistlib.load(open(sys.argv[1], "rb")).get("CreateDesktop"))' \
    "$prefs/com.apple.finder.plist" 2>/dev/null)" = "$1" ]
}
wait_for() {  # wait_for SECONDS command...
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}
is_instance() {
  dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:app.hushpane 2>/dev/null |
    grep -q "uint32 $app_pid\$"
}
refuses_unknown_command() {
  ! hushpane hushpane://hid 2>"$scratch/hid.log" && grep -q 'not a Hushpane command' "$scratch/hid.log"
}

# No desktop here draws icons: the Finder-compatible switch, by the stored choice, is what the
# installed program drives.
mkdir -p "$prefs"
python3 -c 'import plistlib, sys; plistlib.dump({"desktopDriver": "finder"}, open(sys.argv[1], "wb"))' \
  "$prefs/app.hushpane.plist"
"$finder" &
finder_pid=$!
hushpane >"$scratch/app.log" 2>&1 &
app_pid=$!
check "the installed program starts and runs as the instance" wait_for 20 is_instance
# The command became the program in its own process, which keeps the name users look for.
check "  as <prefix>/libexec/hushpane/hushpane, named hushpane" bash -c \
  "[ \"\$(readlink /proc/$app_pid/exe)\" = '$scratch/root/usr/libexec/hushpane/hushpane' ] &&
   [ \"\$(cat /proc/$app_pid/comm)\" = hushpane ]"
xdg-open hushpane://toggle
check "xdg-open hushpane://toggle reaches it" wait_for 20 create_desktop_is False
check "an unknown command is refused on stderr" refuses_unknown_command
check "and leaves the running one as it was" bash -c "kill -0 $app_pid && sleep 0.5"
check "  still hidden" create_desktop_is False
kill -INT "$app_pid"
(sleep 15 && kill -KILL "$app_pid" 2>/dev/null) &
watchdog=$!
wait "$app_pid"
kill "$watchdog" 2>/dev/null
check "quitting from the program shows the icons again" create_desktop_is True
kill "$finder_pid" 2>/dev/null
exit "$failures"
