# Sourced by the scripts that run tests, benchmarks and screenshots: a virtual display when one
# is needed, a throw-away HOME and XDG directories, and `in_test_session CMD...`, which runs
# CMD on a private session bus. Services the bus activates (xfconfd, dconf) inherit the bus's
# environment, so HOME is set before the bus starts. Helpers a script starts in the background
# go into `session_pids`; they are ended, newest first, with the session.

test_scratch=$(mktemp -d /tmp/hushpane-test.XXXXXX)
test_xvfb_pid=""
session_pids=()
cleanup_test_session() {
  local i
  for ((i = ${#session_pids[@]} - 1; i >= 0; i--)); do
    kill "${session_pids[i]}" 2>/dev/null || true
  done
  if [ -n "$test_xvfb_pid" ]; then kill "$test_xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$test_scratch"
}
trap cleanup_test_session EXIT

# start_display [WxHxD]: Xvfb on a free display number (1280x800x24 unless given), exported
# as DISPLAY.
start_display() {
  exec 3>"$test_scratch/display"
  Xvfb -displayfd 3 -screen 0 "${1:-1280x800x24}" -nolisten tcp -noreset \
    >"$test_scratch/xvfb.log" 2>&1 &
  test_xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$test_scratch/display" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$test_scratch/display")"
  echo "test session: Xvfb on $DISPLAY"
}

export HOME="$test_scratch/home" XDG_CONFIG_HOME="$test_scratch/home/.config" \
  XDG_DATA_HOME="$test_scratch/home/.local/share" XDG_CACHE_HOME="$test_scratch/home/.cache" \
  XDG_RUNTIME_DIR="$test_scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
unset XDG_CURRENT_DESKTOP SESSION_MANAGER

in_test_session() {
  dbus-run-session -- "$@"
}
