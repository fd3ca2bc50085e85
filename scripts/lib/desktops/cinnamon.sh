# Cinnamon without its shell: nemo-desktop draws the icons. The wallpaper is the shell's
# (org.cinnamon.desktop.background), which nothing draws here, so the screen behind the icons
# is black. nemo refuses to run as root unless org.nemo.preferences treat-root-as-normal says
# otherwise.
desktop_programs="nemo-desktop gsettings"
desktop_current=X-Cinnamon
desktop_behind_icons="#000000"

desktop_set_wallpaper() {
  gsettings set org.cinnamon.desktop.background picture-uri "file://$1" &&
    gsettings set org.cinnamon.desktop.background picture-options stretched
}

desktop_start() {
  if [ "$(id -u)" -eq 0 ]; then
    gsettings set org.nemo.preferences treat-root-as-normal true || return 1
  fi
  session_spawn nemo-desktop nemo-desktop
}

desktop_icons_state() { gsettings get org.nemo.desktop desktop-layout 2>/dev/null; }
desktop_icons_hidden="'false::false'"
desktop_show_icons_itself() { gsettings set org.nemo.desktop desktop-layout 'true::false'; }
desktop_picture() { gsettings get org.cinnamon.desktop.background picture-uri 2>/dev/null; }
desktop_answering=nemo-desktop
desktop_custom_wallpaper_drawn=no
