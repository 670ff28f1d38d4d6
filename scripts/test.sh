#!/usr/bin/env bash
# Runs every test from nothing: installs what is missing, builds the program, the tests and the
# benchmark for both architectures, and runs CTest on a Wine prefix and an X display of its own.
#
#   bash scripts/test.sh            # everything: screenshots, layout at 144 and 192 DPI, all at 96
#   bash scripts/test.sh -R Name    # builds, then only the tests CTest's -R selects, at 96 DPI
#
# Both architectures are always built, so a fault that only the 32-bit compiler sees fails here on
# every host. The tests run on the i686 build (the shipped program) where this host can run 32-bit
# Wine, otherwise on the x86_64 build (see scripts/env.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
source "$here/env.sh"

# Never the user's display or ~/.wine: the display and the prefix are chosen before anything is
# built, and building runs no Windows program (CTest lists the tests when it runs them).
unset DISPLAY
trap pelmora_stop_wine_and_display EXIT
pelmora_start_xvfb
prefix="$PELMORA_ROOT/build/test-prefix-$PELMORA_ARCH"
pelmora_prefix_at_dpi "$prefix" 96

# build/i686 holds the shipped program; the tests of both architectures are built beside their program.
product="$PELMORA_ROOT/build/i686/Pelmora.exe"
for arch in i686 x86_64; do
  echo "test: building $arch"
  pelmora_build "$arch" -DPELMORA_TESTS=ON -DPELMORA_PRODUCT_EXE="$product"
done

# The shipped program must not depend on where or when it is built: the i686 program is built again
# from a copy of the sources in another folder, and has to come out byte for byte the same, so that
# anyone rebuilding a release from its commit gets the checksum published with it.
echo "test: building the i686 program again in build/repro to compare its bytes"
repro="$PELMORA_ROOT/build/repro"
rm -rf "$repro/src" && mkdir -p "$repro/src"
tar -C "$PELMORA_ROOT" --exclude=./build --exclude=./dist --exclude=./.git -cf - . | tar -C "$repro/src" -xf -
cmake -S "$repro/src" -B "$repro/i686" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$repro/src/cmake/toolchain-mingw-i686.cmake" -DPELMORA_TESTS=ON -DPELMORA_PRODUCT_EXE="$product" >/dev/null
cmake --build "$repro/i686" --target Pelmora -- -j"$(nproc)" >/dev/null
cmp "$product" "$repro/i686/Pelmora.exe" ||
  { echo "test: Pelmora.exe built in build/repro differs from build/i686/Pelmora.exe: the build is not reproducible"; exit 1; }

if [ "$PELMORA_ARCH" = i686 ]; then
  ran="the i686 build (the shipped 32-bit program)"
else
  ran="the x86_64 build (the i686 build was compiled, not run: this host cannot run 32-bit Wine)"
fi
echo "test: running $ran, $PELMORA_BUILD, under $WINE, display $DISPLAY, prefix $prefix"

run_ctest() {
  # Wine's desktop starts with the first program of a session and keeps that program's display:
  # start it on the test display here, so that no test run with another environment (DISPLAY
  # empty, say) can start it and leave every window test after it without a display.
  "$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
  ctest --test-dir "$PELMORA_BUILD" --output-on-failure --timeout 300 --no-tests=error "$@"
}

# Starts of Wine's that failed before the program printed, and were made again (cmake/wine-run.sh).
export PELMORA_WINE_RUN_LOG="$PELMORA_BUILD/wine-run-restarts.log"
rm -f "$PELMORA_WINE_RUN_LOG"

status=0
if [ $# -eq 0 ]; then
  # Screenshots of all three windows at 96, 144 and 192 DPI for a person to look at, and the
  # windows' layout checked once more at 150 % and 200 %.
  PELMORA_EXE="$PELMORA_BUILD/Pelmora.exe" PELMORA_SCREENSHOTS_DIR="$PELMORA_ROOT/build/test-screenshots" \
    bash "$here/screenshots.sh" || status=$?
  for dpi in 144 192; do
    echo "test: layout at $dpi DPI"
    pelmora_prefix_at_dpi "$prefix" "$dpi"
    run_ctest -R 'MainWindowLayout|AboutWindow' || status=$?
  done
  pelmora_prefix_at_dpi "$prefix" 96
  echo "test: everything at 96 DPI"
fi
run_ctest "$@" || status=$?
if [ -s "$PELMORA_WINE_RUN_LOG" ]; then
  echo "test: Wine starts that failed before the program printed, made once more:"
  cat "$PELMORA_WINE_RUN_LOG"
fi
echo "test: ran $ran; exit status $status"
exit $status
