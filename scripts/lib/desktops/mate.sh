# MATE: caja draws the wallpaper and the icons (`caja -n --force-desktop`, as a session without
# mate-session starts it); its settings are GSettings in the dconf the session bus activates.
desktop_programs="caja gsettings"
desktop_current=MATE

desktop_set_wallpaper() {
  gsettings set org.mate.background picture-filename "$1" &&
    gsettings set org.mate.background picture-options stretched
}

desktop_start() {
  session_spawn caja caja -n --force-desktop
}

# The setting that says whether icons are drawn, and its value while they are hidden.
desktop_icons_state() { gsettings get org.mate.background show-desktop-icons 2>/dev/null; }
desktop_icons_hidden=false
# caja ends a moment after its icons go; MATE's session starts it again, as this does. One
# that stays (on this session's bus) draws them itself.
desktop_show_icons_itself() {
  gsettings set org.mate.background show-desktop-icons true || return 1
  local i
  for i in 1 2 3 4 5 6; do
    if ! gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.NameHasOwner org.mate.Caja 2>/dev/null | grep -q true; then
      setsid -f caja -n --force-desktop >/dev/null 2>&1
      return 0
    fi
    sleep 0.5
  done
}
desktop_picture() { gsettings get org.mate.background picture-filename 2>/dev/null; }
# One picture for every display.
desktop_picture_on() { desktop_picture; }
desktop_answering=caja
# caja leaves with its icons; a MATE session's settings daemon, not run here, draws the picture.
desktop_custom_wallpaper_drawn=no
