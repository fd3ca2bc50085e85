# The LXQt desktop: pcmanfm-qt --desktop draws the wallpaper and the icons, from
# ~/.config/pcmanfm-qt/lxqt/settings.conf (the profile lxqt-session names), read at its start.
desktop_programs="pcmanfm-qt"
desktop_current=LXQt

desktop_set_wallpaper() {
  local dir="$HOME/.config/pcmanfm-qt/lxqt"
  mkdir -p "$dir" &&
    printf '[Desktop]\nBgColor=#000000\nFgColor=#ffffff\nShadowColor=#000000\nWallpaper=%s\nWallpaperMode=stretch\n\n[System]\nFallbackIconThemeName=breeze\n' \
      "$1" >"$dir/settings.conf"
}

desktop_start() {
  QT_QPA_PLATFORM=xcb session_spawn pcmanfm-qt pcmanfm-qt --desktop --profile=lxqt
}

desktop_icons_state() {
  sed -n 's/^HideItems=//p' "$HOME/.config/pcmanfm-qt/lxqt/settings.conf" 2>/dev/null | head -n1
}
desktop_icons_hidden=true
# The items shown again (HideItems=false) in pcmanfm-qt's settings, which the desktop reads when
# it starts again, as at the next login. It writes its own settings when it ends: it goes first.
desktop_show_icons_itself() {
  local settings="$HOME/.config/pcmanfm-qt/lxqt/settings.conf" i
  pcmanfm-qt --profile=lxqt --desktop-off >/dev/null 2>&1
  for i in $(seq 20); do
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.NameHasOwner org.pcmanfm.PCManFM 2>/dev/null | grep -q true ||
      break
    gdbus call --session --dest org.pcmanfm.PCManFM --object-path /Application \
      --method org.pcmanfm.Application.quit >/dev/null 2>&1
    sleep 0.5
  done
  sed -i 's/^HideItems=true/HideItems=false/' "$settings" &&
    QT_QPA_PLATFORM=xcb setsid -f pcmanfm-qt --desktop --profile=lxqt >/dev/null 2>&1
}
desktop_picture() {
  sed -n 's/^Wallpaper=//p' "$HOME/.config/pcmanfm-qt/lxqt/settings.conf" 2>/dev/null | head -n1
}
desktop_answering=pcmanfm-qt
