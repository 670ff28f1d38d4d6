#!/usr/bin/env bash
# Runs every test from nothing: installs what is missing, builds the 32-bit program and the tests,
# prepares a Wine prefix and an X display of the tests' own, and runs CTest.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
source "$here/env.sh"

pelmora_build i686 -DPELMORA_TESTS=OFF
pelmora_build "$PELMORA_ARCH" -DPELMORA_TESTS=ON -DPELMORA_PRODUCT_EXE="$PELMORA_ROOT/build/i686/Pelmora.exe"

# Never the user's display or ~/.wine.
unset DISPLAY
pelmora_start_xvfb
prefix="$PELMORA_ROOT/build/test-prefix-$PELMORA_ARCH"
pelmora_prepare_prefix "$prefix"

trap pelmora_stop_wine_and_display EXIT

echo "test: $PELMORA_ARCH build under $WINE, display $DISPLAY, prefix $prefix"
status=0
if [ $# -eq 0 ]; then
  # Screenshots of all three windows at 96 and 144 DPI for a person to look at, and the windows'
  # layout checked once more at 150 % (144 DPI).
  PELMORA_EXE="$PELMORA_BUILD/Pelmora.exe" PELMORA_SCREENSHOTS_DIR="$PELMORA_ROOT/build/test-screenshots" \
    bash "$here/screenshots.sh" || status=$?
  echo "test: layout at 144 DPI"
  pelmora_prepare_prefix "$prefix" 144
  "$WINESERVER" -k 2>/dev/null || true
  ctest --test-dir "$PELMORA_BUILD" --output-on-failure --timeout 300 -R 'MainWindowLayout|AboutWindow' || status=$?
  pelmora_prepare_prefix "$prefix" 96
  "$WINESERVER" -k 2>/dev/null || true
  echo "test: everything at 96 DPI"
fi
ctest --test-dir "$PELMORA_BUILD" --output-on-failure --timeout 300 "$@" || status=$?
exit $status
