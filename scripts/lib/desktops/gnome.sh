# GNOME on X11 (43 on Debian 12, 48 on Debian 13): gnome-shell (replacing openbox as the window manager) draws the wallpaper
# and its Desktop Icons NG extension the icons. The Shell asks the system bus for logind and
# more; a private bus stands in for it, so nothing reaches the machine's own services.
desktop_programs="gnome-shell gsettings dbus-daemon gdbus"
desktop_current=GNOME

desktop_set_wallpaper() {
  local uri="file://$1"
  gsettings set org.gnome.desktop.background picture-uri "$uri" &&
    gsettings set org.gnome.desktop.background picture-uri-dark "$uri" &&
    gsettings set org.gnome.desktop.background picture-options stretched
}

gnome_overview() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties.Get org.gnome.Shell OverviewActive 2>/dev/null
}
gnome_in_overview() { gnome_overview | grep -q true; }
gnome_left_overview() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.freedesktop.DBus.Properties.Set org.gnome.Shell OverviewActive \
    '<false>' >/dev/null 2>&1
  gnome_overview | grep -q false
}

desktop_start() {
  gnome_start_shell x11 --x11 --replace --sm-disable
}

# The Shell of session type $1 with the arguments that follow, its icons extension on, banners
# and animations off; returns once it has left the overview it shows after starting up.
gnome_start_shell() {
  local type=$1
  shift
  if [ ! -d /usr/share/gnome-shell/extensions/ding@rastersoft.com ]; then
    session_say "the Desktop Icons NG extension (ding@rastersoft.com) is not installed"
    return 1
  fi
  local socket="$session_dir/system_bus_socket"
  session_spawn system-bus dbus-daemon --session --nofork --nopidfile \
    --address="unix:path=$socket"
  session_wait 10 test -S "$socket" || return 1
  gsettings set org.gnome.shell enabled-extensions "['ding@rastersoft.com']" &&
    gsettings set org.gnome.desktop.notifications show-banners false &&
    gsettings set org.gnome.desktop.interface enable-animations false || return 1
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$socket" LIBGL_ALWAYS_SOFTWARE=1 XDG_SESSION_TYPE=$type \
    session_spawn gnome-shell gnome-shell "$@"
  # The Shell shows its overview once it has started up; then it can be left.
  session_wait 90 gnome_in_overview && session_wait 10 gnome_left_overview
}

# Whether the icons extension is on: Hushpane switches it off to hide the icons.
desktop_icons_state() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Extensions.GetExtensionInfo ding@rastersoft.com 2>/dev/null |
    grep -o "'state': <[0-9.]*>" | grep -o '[0-9.]*'
}
desktop_icons_hidden=2.0
desktop_show_icons_itself() {
  gdbus call --session --dest org.gnome.Shell --object-path /org/gnome/Shell \
    --method org.gnome.Shell.Extensions.EnableExtension ding@rastersoft.com >/dev/null
}
# Below the Shell's top bar, whose clock changes.
desktop_icon_area=200x728+0+40
desktop_picture() { gsettings get org.gnome.desktop.background picture-uri 2>/dev/null; }
desktop_answering=gnome-shell
