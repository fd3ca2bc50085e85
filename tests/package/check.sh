# check "what" command...: runs the command, says ok or FAILED (with its output) and counts
# the failures in $failures. Needs $scratch.
failures=0
check() {
  local what=$1
  shift
  if "$@" >"$scratch/out" 2>&1; then
    echo "ok: $what"
  else
    echo "FAILED: $what"
    sed 's/^/    /' "$scratch/out"
    failures=$((failures + 1))
  fi
}
