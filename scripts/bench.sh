#!/usr/bin/env bash
# Builds the program and the benchmark, runs the benchmark under Wine in a prefix and on an X
# display of its own, and prints the program's size and import list.
#   bash scripts/bench.sh [ticks-per-shape]     (default 86400)
# PELMORA_BENCH_BUILD and PELMORA_BENCH_PREFIX choose other build and prefix folders.
#
# It measures the build this host can run (scripts/env.sh): the shipped i686 build where the host
# runs 32-bit Wine, otherwise the x86_64 build. The shipped i686 program's size and imports are
# printed on every host.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
source "$here/env.sh"

build=${PELMORA_BENCH_BUILD:-$PELMORA_ROOT/build/bench-$PELMORA_ARCH}
prefix=${PELMORA_BENCH_PREFIX:-$PELMORA_ROOT/build/bench-prefix-$PELMORA_ARCH}

# Never the user's display or ~/.wine.
unset DISPLAY
trap pelmora_stop_wine_and_display EXIT
pelmora_start_xvfb
pelmora_prepare_prefix "$prefix"

configure() {  # build-dir arch
  cmake -S "$PELMORA_ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PELMORA_ROOT/cmake/toolchain-mingw-$2.cmake" -DPELMORA_TESTS=ON >/dev/null
}
configure "$build" "$PELMORA_ARCH"
cmake --build "$build" --target pelmora_bench
shipped="$build"
if [ "$PELMORA_ARCH" != i686 ]; then
  shipped="$PELMORA_ROOT/build/bench-i686"
  configure "$shipped" i686
  cmake --build "$shipped" --target Pelmora
fi

"$WINE" cmd /c exit </dev/null >/dev/null 2>&1  # start Wine's services outside the measurement
sleep 2
echo "bench: $PELMORA_ARCH build ($build) under $WINE, display $DISPLAY, prefix $prefix"
[ "$PELMORA_ARCH" = i686 ] ||
  echo "bench: this host cannot run 32-bit Wine: the figures below are the x86_64 build's, not the shipped i686 program's"
"$WINE" "$build/bench/pelmora_bench.exe" "$@" </dev/null 2>&1 | tr -d '\r'

echo
size_and_imports() {  # arch exe
  echo "Pelmora.exe ($1): $(stat -c %s "$2") bytes (target 409600)"
  echo "  imports: $("$1-w64-mingw32-objdump" -p "$2" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')"
}
[ "$PELMORA_ARCH" = i686 ] || size_and_imports "$PELMORA_ARCH" "$build/Pelmora.exe"
size_and_imports i686 "$shipped/Pelmora.exe"
echo "  (i686 is the shipped program)"
