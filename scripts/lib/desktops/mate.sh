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
# caja ends with its icons: MATE's session starts it again, as this does.
desktop_show_icons_itself() {
  gsettings set org.mate.background show-desktop-icons true &&
    { pgrep -u "$(id -u)" -x caja >/dev/null || setsid -f caja -n --force-desktop >/dev/null 2>&1; }
}
desktop_picture() { gsettings get org.mate.background picture-filename 2>/dev/null; }
# One picture for every display.
desktop_picture_on() { desktop_picture; }
desktop_answering=caja
# caja leaves with its icons; a MATE session's settings daemon, not run here, draws the picture.
desktop_custom_wallpaper_drawn=no
