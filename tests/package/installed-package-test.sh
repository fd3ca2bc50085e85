#!/usr/bin/env bash
# installed-package-test.sh BUILD_DIR PLUGIN_PROBE STAND_IN_FINDER
#
# Makes the Debian package of BUILD_DIR with cpack, checks what it declares and holds,
# unpacks it into a throw-away root and runs the program installed there on its own session
# bus: it starts, finds its downloader plugin and translations, and `xdg-open hushpane://toggle`
# reaches it through the installed scheme handler and command. Needs DISPLAY.
set -euo pipefail
build=$1 probe=$2 finder=$3
scratch=$(mktemp -d /tmp/hushpane-package.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
# shellcheck source=check.sh
. "$(dirname "${BASH_SOURCE[0]}")/check.sh"

[ -n "${DISPLAY:-}" ] || { echo "needs a display"; exit 1; }
cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/package/hushpane_*.deb)
echo "package: $(basename "$deb")"

# What the package declares: dependencies from dpkg-shlibdeps, not written by hand.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# libplist is libplist3 on Debian 12 and libplist-2.0-4 on Debian 13.
for library in libc6 libqt6widgets6 libqt6svg6 libqt6dbus6 'libplist(3|-2\.0-4)' libsystemd0 libxcb1; do
  check "depends on $library" grep -qE "\b$library\b" <<<"$depends"
done

root=$scratch/root
dpkg-deb -x "$deb" "$root"
plugin=$(find "$root/usr/lib" -name hushpane-http-feed-fetcher.so)
check "the downloader plugin is under lib/.../hushpane" test -n "$plugin"
check "the screen-share plugin is beside it" test -f "$(dirname "$plugin")/hushpane-pipewire-screen-casts.so"
program=$root/usr/libexec/hushpane/hushpane
for file in "$root/usr/bin/hushpane" "$program"; do
  check "${file#"$root"} is stripped" bash -c "file -L '$file' | grep -q ', stripped'"
done
# The command only hands URLs over: it must not load what the program loads.
check "the hushpane command loads no Qt" bash -c \
  "readelf -d '$root/usr/bin/hushpane' | grep -q NEEDED && ! readelf -d '$root/usr/bin/hushpane' | grep -q libQt"
for file in share/applications/app.hushpane.Hushpane.desktop \
  share/metainfo/app.hushpane.Hushpane.metainfo.xml share/dbus-1/services/app.hushpane.service \
  share/man/man1/hushpane.1.gz share/icons/hicolor/scalable/apps/app.hushpane.Hushpane.svg \
  share/doc/hushpane/copyright; do
  check "installs $file" test -s "$root/usr/$file"
done
for size in 16 22 24 32 48 64 128 256 512; do
  png=$root/usr/share/icons/hicolor/${size}x${size}/apps/app.hushpane.Hushpane.png
  check "a ${size}px icon of that size" bash -c "file '$png' | grep -q 'PNG image data, $size x $size'"
done
check "the desktop entry is valid" desktop-file-validate \
  "$root/usr/share/applications/app.hushpane.Hushpane.desktop"
check "the AppStream file is valid" appstreamcli validate --no-net \
  "$root/usr/share/metainfo/app.hushpane.Hushpane.metainfo.xml"
check "D-Bus activation starts the installed program" \
  grep -qx 'Exec=/usr/bin/hushpane' "$root/usr/share/dbus-1/services/app.hushpane.service"
check "the manual page reads" bash -c \
  "MANWIDTH=80 man -l '$root/usr/share/man/man1/hushpane.1.gz' 2>&1 | grep -q 'hushpane://toggle'"

# The installed program on a bus, HOME and data directories of its own.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
export XDG_DATA_HOME=$scratch/home/.local/share XDG_DATA_DIRS=$root/usr/share:/usr/share
export PATH=$root/usr/bin:$PATH
unset XDG_CURRENT_DESKTOP LD_LIBRARY_PATH
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
check "hushpane --version" bash -c "hushpane --version | grep -qx 'Hushpane [0-9.]*'"
check "hushpane --help without a display" bash -c "DISPLAY= hushpane --help | grep -q 'hushpane://toggle'"

cp "$probe" "$(dirname "$program")/"
check "the installed layout finds the downloader plugin" "$(dirname "$program")/$(basename "$probe")"
check "the installed program finds its German texts" bash -c \
  "LANG=de_DE.UTF-8 LC_ALL= LANGUAGE= hushpane bogus 2>&1 | grep -q 'ist keine URL'"

# The scheme handler as a package install registers it (dpkg's trigger runs this).
update-desktop-database "$root/usr/share/applications"
check "hushpane: links open with the installed entry" bash -c \
  "[ \"\$(xdg-mime query default x-scheme-handler/hushpane)\" = app.hushpane.Hushpane.desktop ]"

# The rest runs on a session bus of its own; it counts its failures in its exit status.
export scratch
dbus-run-session -- bash "$(dirname "${BASH_SOURCE[0]}")/run-installed.sh" "$finder" ||
  failures=$((failures + $?))

if [ "$failures" -ne 0 ]; then
  echo "--- the program's output"
  cat "$scratch/app.log" 2>/dev/null || true
  echo "$failures check(s) failed"
  exit 1
fi
echo "every check passed"
