#!/usr/bin/env bash
# A first start, seen from outside as an administrator sees it: `wine reg query` on the settings key.
# With no settings, the load moves only the transparency slider (255 -> 0), so HS1 = 0 is the one
# value written; the key itself exists afterwards.
set -euo pipefail
exe=$1
: "${WINE:?run through scripts/test.sh}"
reg() { "$WINE" reg "$@" </dev/null 2>/dev/null | tr -d '\r'; }
"$WINE" reg delete 'HKCU\Velmontix\QVR' /f </dev/null >/dev/null 2>&1 || true

"$WINE" "$exe" </dev/null >/dev/null 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; "$WINE" taskkill /f /im Pelmora.exe </dev/null >/dev/null 2>&1 || true' EXIT
for _ in $(seq 60); do
  reg query 'HKCU\Velmontix\QVR' | grep -q 'HS1' && break
  sleep 0.25
done
sleep 1.5  # a tick or so: the timer must not add values of its own while "Make Opaque" is clear
out=$(reg query 'HKCU\Velmontix\QVR')
echo "$out"
values=$(echo "$out" | grep -cE '^\s+\S+\s+REG_' || true)
echo "$out" | grep -qE '^\s+HS1\s+REG_SZ\s+0$' || { echo "HS1 should be stored as 0"; exit 1; }
[ "$values" -eq 1 ] || { echo "expected exactly one value, found $values"; exit 1; }
echo "first start: key created, HS1 = 0 only"
