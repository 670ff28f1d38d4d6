#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine for CTest. The environment (WINE, WINEPREFIX,
# DISPLAY) comes from scripts/env.sh; without a prefix it refuses, rather than use ~/.wine. Wine's
# services are started first from a throw-away process with its output closed: if the first test
# started them, they would inherit CTest's output pipe and CTest would wait for them.
#
# About once in a thousand starts, Wine ends a program with a failing status before the program has
# printed a thing (seen with window-free tests whose every run prints). A test program prints on
# stdout before it can fail, so such a run is a start that failed, not a test: it is said on stderr
# and in $PELMORA_WINE_RUN_LOG (scripts/test.sh shows that file at the end), and the program is
# started once more. A second silent failure is the test's result; a death by a signal is passed on
# as it is. Stdout and stderr stay apart: CTest lists the tests from stdout alone.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  echo "wine-run: WINEPREFIX is not set; run the tests with scripts/test.sh" >&2
  exit 1
fi
: "${WINE:=wine}"
if ! "$WINE" cmd /c exit </dev/null >/dev/null 2>&1; then
  echo "wine-run: cannot start Wine ($WINE)" >&2
fi
printed=$(mktemp) || exit 1
trap 'rm -f "$printed"' EXIT
for attempt in 1 2; do
  "$WINE" "$@" | tee "$printed"
  status=${PIPESTATUS[0]}
  if [ "$status" -gt 128 ]; then
    rm -f "$printed"
    trap - EXIT
    kill -s $((status - 128)) $$ 2>/dev/null
    exit "$status"
  fi
  if [ "$status" -eq 0 ] || [ -s "$printed" ] || [ "$attempt" -eq 2 ]; then
    exit "$status"
  fi
  said="wine-run: $* ended with status $status before printing anything: started once more"
  echo "$said" >&2
  [ -n "${PELMORA_WINE_RUN_LOG:-}" ] && echo "$(date -u +%FT%TZ) $said" >>"$PELMORA_WINE_RUN_LOG"
done
