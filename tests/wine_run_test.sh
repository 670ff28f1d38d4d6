#!/usr/bin/env bash
# cmake/wine-run.sh with a stand-in for Wine: a start that fails before printing is tried once more;
# a failure that printed, or a second silent one, is the result.
set -u
wine_run=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# The stand-in Wine answers `cmd /c exit` and then plays the script in $work/plan, one line a start:
# "silent N" ends with status N printing nothing, "say N" prints and ends with status N.
cat >"$work/wine" <<'STANDIN'
#!/usr/bin/env bash
[ "$1" = cmd ] && exit 0
echo start >>"$WORK/starts"
step=$(sed -n "$(wc -l <"$WORK/starts")p" "$WORK/plan")
[ "${step% *}" = say ] && echo "[ RUN      ] a test"
exit "${step#* }"
STANDIN
chmod +x "$work/wine"

expect() {  # expect WHAT PLAN STATUS STARTS
  printf '%b' "$2" >"$work/plan"
  rm -f "$work/starts"
  WORK=$work WINE=$work/wine WINEPREFIX=$work bash "$wine_run" program.exe >/dev/null 2>&1
  local status=$? starts
  starts=$(wc -l <"$work/starts")
  if [ "$status" -ne "$3" ] || [ "$starts" -ne "$4" ]; then
    echo "FAIL: $1: status $status after $starts starts, expected $3 after $4"
    failures=$((failures + 1))
  fi
}

expect "a silent failed start is tried again" 'silent 1\nsay 0\n' 0 2
expect "two silent failures are the result" 'silent 5\nsilent 5\nsay 0\n' 5 2
expect "a failure that printed is the result" 'say 3\nsay 0\n' 3 1
expect "a pass is not run again" 'say 0\nsay 0\n' 0 1
[ "$failures" -eq 0 ] && echo "wine-run: all cases hold"
exit "$failures"
