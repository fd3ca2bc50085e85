# KDE Plasma (5.27 on Debian 12, 6 on Debian 13): plasmashell's folder view draws the wallpaper and the icons, with Qt Quick's
# software renderer (there is no GPU here). Its settings are changed through its own desktop
# scripting on the session bus: the panel goes, the picture is stretched, icons in columns.
desktop_programs="plasmashell gdbus"
desktop_current=KDE

plasma_evaluate() {
  gdbus call --session --dest org.kde.plasmashell --object-path /PlasmaShell \
    --method org.kde.PlasmaShell.evaluateScript "$1" 2>/dev/null
}

desktop_set_wallpaper() { plasma_picture=$1; }

desktop_start() {
  local major
  major=$(plasmashell --version 2>/dev/null | awk '{split($2, v, "."); print v[1]; exit}')
  QT_QUICK_BACKEND=software LIBGL_ALWAYS_SOFTWARE=1 QT_XCB_GL_INTEGRATION=none \
    KDE_FULL_SESSION=true KDE_SESSION_VERSION=${major:-5} QT_QPA_PLATFORM=xcb \
    session_spawn plasmashell plasmashell --no-respawn
  plasma_set_up remove-panels
}

# Every desktop shows the picture stretched and its icons in columns; with remove-panels the
# panels go too. Waits until plasmashell has its desktops (a moment after its name is on the
# bus) and runs its scripting.
plasma_set_up() {
  # The picture's path goes in as a JSON string, so no character of it can end the script.
  local picture set_up panels=""
  picture=$(python3 -c 'import json, sys; print(json.dumps("file://" + sys.argv[1]))' \
    "$plasma_picture")
  if [ "${1:-}" = remove-panels ]; then
    panels="var p = panels();
for (var i = 0; i < p.length; ++i) p[i].remove();"
  fi
  set_up="var picture = $picture;
$panels
var all = desktops();
for (var i = 0; i < all.length; ++i) {
    var d = all[i];
    d.wallpaperPlugin = 'org.kde.image';
    d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
    d.writeConfig('FillMode', 0);
    d.writeConfig('Image', picture);
    d.currentConfigGroup = ['General'];
    d.writeConfig('arrangement', 1);
    d.reloadConfig();
}
print(all.length);"
  plasma_desktops_set_up() { plasma_evaluate "$set_up" | grep -q "'[1-9]"; }
  session_wait 60 plasma_desktops_set_up
}

# The first desktop's file filter: 2 (show none of the files) while Hushpane hides the icons.
desktop_icons_state() {
  plasma_evaluate "var d = desktops()[0]; d.currentConfigGroup = ['General'];
print(d.readConfig('filterMode', 0));" | sed -n "s/^('\(.*\)',)\$/\1/p"
}
desktop_icons_hidden=2
# Every file shown again, as the folder view's own settings do (Filter: Show all files).
desktop_show_icons_itself() {
  plasma_evaluate "desktops().forEach(function (d) { d.currentConfigGroup = ['General'];
d.writeConfig('filterMode', 0); d.reloadConfig(); });" >/dev/null
}
desktop_picture() {
  plasma_evaluate "var d = desktops()[0];
d.currentConfigGroup = ['Wallpaper', 'org.kde.image', 'General'];
print(d.readConfig('Image', ''));" | sed -n "s/^('\(.*\)',)\$/\1/p"
}
desktop_answering=plasmashell
