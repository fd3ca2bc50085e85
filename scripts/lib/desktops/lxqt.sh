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
desktop_picture() {
  sed -n 's/^Wallpaper=//p' "$HOME/.config/pcmanfm-qt/lxqt/settings.conf" 2>/dev/null | head -n1
}
desktop_answering=pcmanfm-qt
