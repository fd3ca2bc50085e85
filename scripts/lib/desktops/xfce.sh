# The XFCE desktop: xfdesktop draws the wallpaper and the icons; its settings live in xfconf
# (the xfconfd the session bus activates, which keeps them under the private HOME).
desktop_programs="xfdesktop xfconf-query xrandr"
desktop_current=XFCE

desktop_set_wallpaper() {
  local connector backdrop
  connector=$(xrandr --query 2>/dev/null | awk '/ connected/ {print $1; exit}')
  backdrop="/backdrop/screen0/monitor${connector:-screen}/workspace0"
  xfconf-query -c xfce4-desktop -p "$backdrop/last-image" -n -t string -s "$1" &&
    xfconf-query -c xfce4-desktop -p "$backdrop/image-style" -n -t int -s 5
}

desktop_start() {
  session_spawn xfdesktop xfdesktop
}

desktop_icons_state() { xfconf-query -c xfce4-desktop -p /desktop-icons/style 2>/dev/null; }
desktop_icons_hidden=0
# The icons brought back as the desktop's own settings do (Desktop > Icons > File/launcher icons).
desktop_show_icons_itself() { xfconf-query -c xfce4-desktop -p /desktop-icons/style -n -t int -s 2; }
desktop_picture() {
  local connector
  connector=$(xrandr --query 2>/dev/null | awk '/ connected/ {print $1; exit}')
  xfconf-query -c xfce4-desktop -p "/backdrop/screen0/monitor${connector:-screen}/workspace0/last-image" 2>/dev/null
}
desktop_picture_on() {
  xfconf-query -c xfce4-desktop -p "/backdrop/screen0/monitor$1/workspace0/last-image" 2>/dev/null
}
# Hushpane changes XFCE's settings in xfconfd, which xfdesktop follows.
desktop_answering=xfconfd
# The program that draws the icons, when it is not the one Hushpane asks.
desktop_drawing=xfdesktop
