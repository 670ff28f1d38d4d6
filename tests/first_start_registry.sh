#!/usr/bin/env bash
# A first start, seen from outside as an administrator sees it: `wine reg query` on the settings key.
# With no settings no slider moves, so no handler stores anything: the key exists afterwards, empty,
# and the timer adds nothing while "Make Opaque" is clear.
set -euo pipefail
exe=$1
: "${WINE:?run through scripts/test.sh}"
reg() { "$WINE" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
"$WINE" reg delete 'HKCU\Velmontix\QVR' /f </dev/null >/dev/null 2>&1 || true

"$WINE" "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; "$WINE" taskkill /f /im Pelmora.exe </dev/null >/dev/null 2>&1 || true' EXIT
created=""
for _ in $(seq 60); do
  "$WINE" reg query 'HKCU\Velmontix\QVR' </dev/null >/dev/null 2>&1 && { created=1; break; }
  sleep 0.25
done
[ -n "$created" ] || { echo "the settings key was not created"; exit 1; }
sleep 2.5  # two ticks: the timer must not add values of its own while "Make Opaque" is clear
out=$(reg query 'HKCU\Velmontix\QVR')
echo "$out"
values=$(echo "$out" | grep -cE '^\s+\S+\s+REG_' || true)
[ "$values" -eq 0 ] || { echo "expected no values, found $values"; exit 1; }
echo "first start: key created, no values"
