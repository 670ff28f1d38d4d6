#!/usr/bin/env bash
# cmake/wine-run.sh with a stand-in for Wine: a start that fails before printing is tried once more
# and logged; a failure that printed, a second silent one or a death by a signal is the result; the
# program's stdout and stderr stay apart (CTest lists the tests from stdout alone).
set -u
wine_run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# The stand-in Wine answers `cmd /c exit` and then plays $work/plan, one line a start: "silent N"
# ends with status N printing nothing, "say N" prints a line on each stream and ends with status N,
# "segv" dies by SIGSEGV.
cat >"$work/wine" <<'STANDIN'
#!/usr/bin/env bash
[ "$1" = cmd ] && exit 0
echo start >>"$WORK/starts"
step=$(sed -n "$(wc -l <"$WORK/starts")p" "$WORK/plan")
[ "$step" = segv ] && kill -s SEGV $$
[ "${step% *}" = say ] && { echo "Suite."; echo "stand-in noise" >&2; }
exit "${step#* }"
STANDIN
chmod +x "$work/wine"

fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

expect() {  # expect WHAT PLAN STATUS STARTS
  printf '%b' "$2" >"$work/plan"
  rm -f "$work/starts" "$work/log"
  WORK=$work WINE=$work/wine WINEPREFIX=$work PELMORA_WINE_RUN_LOG=$work/log \
    bash "$wine_run" program.exe >"$work/out" 2>"$work/err"
  local status=$? starts
  starts=$(wc -l <"$work/starts")
  [ "$status" -eq "$3" ] && [ "$starts" -eq "$4" ] || fail "$1: status $status after $starts starts, expected $3 after $4"
  [ "$4" -eq 2 ] && ! grep -q "status" "$work/log" 2>/dev/null && fail "$1: the restart is not in the log"
}

expect "a silent failed start is tried again" 'silent 1\nsay 0\n' 0 2
[ "$(cat "$work/out")" = "Suite." ] && grep -q "stand-in noise" "$work/err" && ! grep -q noise "$work/out" ||
  fail "stdout and stderr are not kept apart"
expect "two silent failures are the result" 'silent 5\nsilent 5\nsay 0\n' 5 2
expect "a failure that printed is the result" 'say 3\nsay 0\n' 3 1
expect "a death by a signal is passed on, not retried" 'segv\nsay 0\n' 139 1
expect "a pass is not run again" 'say 0\nsay 0\n' 0 1
[ "$failures" -eq 0 ] && echo "wine-run: all cases hold"
exit "$failures"
