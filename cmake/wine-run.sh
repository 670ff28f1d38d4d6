#!/usr/bin/env bash
# Runs a cross-built Windows program under Wine for CTest. The environment (WINE, WINEPREFIX,
# DISPLAY) comes from scripts/env.sh; without a prefix it refuses, rather than use ~/.wine. Wine's
# services are started first from a throw-away process with its output closed: if the first test
# started them, they would inherit CTest's output pipe and CTest would wait for them.
set -u
if [ -z "${WINEPREFIX:-}" ]; then
  echo "wine-run: WINEPREFIX is not set; run the tests with scripts/test.sh" >&2
  exit 1
fi
: "${WINE:=wine}"
if ! "$WINE" cmd /c exit </dev/null >/dev/null 2>&1; then
  echo "wine-run: cannot start Wine ($WINE)" >&2
fi
exec "$WINE" "$@"
