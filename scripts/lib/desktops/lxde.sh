# The LXDE desktop: pcmanfm --desktop draws the wallpaper and the icons, from the key file
# ~/.config/pcmanfm/LXDE/desktop-items-0.conf (the profile lxsession names), read at its start.
desktop_programs="pcmanfm"
desktop_current=LXDE

desktop_set_wallpaper() {
  local dir="$HOME/.config/pcmanfm/LXDE"
  mkdir -p "$dir" &&
    printf '[*]\nwallpaper_mode=stretch\nwallpaper_common=1\nwallpaper=%s\ndesktop_bg=#000000\ndesktop_fg=#ffffff\ndesktop_shadow=#000000\nsort=name;ascending;mingle;\nshow_documents=0\nshow_trash=1\nshow_mounts=0\n' \
      "$1" >"$dir/desktop-items-0.conf"
}

desktop_start() {
  session_spawn pcmanfm pcmanfm --desktop --profile=LXDE
}

desktop_icons_state() {
  sed -n 's/^folder=//p' "$HOME/.config/pcmanfm/LXDE/desktop-items-0.conf" 2>/dev/null | head -n1
}
# The icons brought back in pcmanfm's key file (the folder and the trash shown again), which
# the desktop reads when it starts again, as at the next login.
desktop_show_icons_itself() {
  sed -i '/^folder=/d; s/^show_trash=0/show_trash=1/' \
    "$HOME/.config/pcmanfm/LXDE/desktop-items-0.conf" &&
    pcmanfm --profile=LXDE --desktop-off &&
    sleep 1 && setsid -f pcmanfm --desktop --profile=LXDE >/dev/null 2>&1
}
desktop_picture() {
  sed -n 's/^wallpaper=//p' "$HOME/.config/pcmanfm/LXDE/desktop-items-0.conf" 2>/dev/null | head -n1
}
desktop_answering=pcmanfm
