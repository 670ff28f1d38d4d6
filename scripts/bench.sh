#!/usr/bin/env bash
# Builds the program and the benchmark, runs the benchmark under Wine in a prefix and on an X
# display of its own, and prints the program's size and import list.
#   bash scripts/bench.sh [ticks-per-shape]     (default 86400)
# PELMORA_BENCH_BUILD and PELMORA_BENCH_PREFIX choose other build and prefix folders.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"

build=${PELMORA_BENCH_BUILD:-$PELMORA_ROOT/build/bench-$PELMORA_ARCH}
prefix=${PELMORA_BENCH_PREFIX:-$PELMORA_ROOT/build/bench-prefix-$PELMORA_ARCH}
cmake -S "$PELMORA_ROOT" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PELMORA_ROOT/cmake/toolchain-mingw-$PELMORA_ARCH.cmake" -DPELMORA_TESTS=ON >/dev/null
cmake --build "$build" --target pelmora_bench

# Never the user's display or ~/.wine.
unset DISPLAY
pelmora_start_xvfb
pelmora_prepare_prefix "$prefix"
trap pelmora_stop_wine_and_display EXIT

"$WINE" cmd /c exit </dev/null >/dev/null 2>&1  # start Wine's services outside the measurement
sleep 2
echo "bench: $PELMORA_ARCH build under $WINE, display $DISPLAY, prefix $prefix"
"$WINE" "$build/bench/pelmora_bench.exe" "$@" </dev/null 2>&1 | tr -d '\r'

exe="$build/Pelmora.exe"
objdump=$PELMORA_ARCH-w64-mingw32-objdump
echo
echo "Pelmora.exe ($PELMORA_ARCH): $(stat -c %s "$exe") bytes (target 409600)"
echo "imports: $("$objdump" -p "$exe" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')"
