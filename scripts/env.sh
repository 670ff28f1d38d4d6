# Sourced by run.sh, test.sh and bench.sh: chooses the build architecture, the Wine loader, a Wine
# prefix of the project's own and an X display.
#
# Pelmora is a 32-bit program. Where this host cannot execute 32-bit code (a kernel started with
# 32-bit emulation switched off: the 32-bit Wine loader then fails with "Exec format error"), the
# same sources are built for x86-64 as well and that build runs under 64-bit Wine instead.
# PELMORA_ARCH=i686 or x86_64 overrides the choice.

PELMORA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

pelmora_pick_arch() {
  if [ -n "${PELMORA_ARCH:-}" ]; then return; fi
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then PELMORA_ARCH=i686; else PELMORA_ARCH=x86_64; fi
}
pelmora_pick_arch
export PELMORA_ARCH
if [ "$PELMORA_ARCH" = i686 ]; then
  export WINE=/usr/lib/wine/wine WINEARCH=win32
else
  export WINE=/usr/lib/wine/wine64 WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
fi
export WINEDEBUG=-all
export PELMORA_BUILD="$PELMORA_ROOT/build/$PELMORA_ARCH"

# Configures one architecture into build/<arch>; arguments after the architecture go to cmake.
# Building runs no Windows program: the tests are listed when CTest runs them.
pelmora_configure() {
  local arch=$1; shift
  cmake -S "$PELMORA_ROOT" -B "$PELMORA_ROOT/build/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PELMORA_ROOT/cmake/toolchain-mingw-$arch.cmake" "$@" >/dev/null
}

# Configures and builds everything of one architecture into build/<arch>.
pelmora_build() {
  pelmora_configure "$@"
  cmake --build "$PELMORA_ROOT/build/$1" -- -j"$(nproc)"
}

# Configures build/<arch> as it is (tests on or off) and builds only the program.
pelmora_build_program() {
  pelmora_configure "$@"
  cmake --build "$PELMORA_ROOT/build/$1" --target Pelmora -- -j"$(nproc)"
}

# Builds tools/start_button_picture.cpp into build/<arch>: Wine's taskbar paints its own icon and
# "Start" on the Start button and ignores its region, so only a picture drawn from the shell's
# windows shows the look Pelmora gave it.
pelmora_build_picture_tool() {
  pelmora_configure "$@"
  cmake --build "$PELMORA_ROOT/build/$1" --target start_button_picture -- -j"$(nproc)" >/dev/null
}

# Writes the Start button as the shell holds it to $1, a PNG four times as large as the taskbar from
# its left end to just past the button, and prints what the tool read. Takes the running desktop of
# $WINEPREFIX, whose drive Z: is the Unix root (as wineboot makes it).
pelmora_start_button_picture() {
  local png=$1 bmp="${1%.png}.bmp" held width=64
  held=$("$WINE" "$PELMORA_BUILD/start_button_picture.exe" "Z:$bmp" </dev/null | tr -d '\r') || return 1
  if [[ $held =~ at\ (-?[0-9]+),-?[0-9]+\ size\ ([0-9]+)x ]]; then
    width=$(( BASH_REMATCH[1] + BASH_REMATCH[2] + 16 ))
    [ "$width" -ge 64 ] || width=64
  fi
  convert "$bmp" -crop "${width}x+0+0" +repage -filter point -resize 400% "$png"
  rm -f "$bmp"
  echo "$held"
}

# Starts Xvfb on the first free display from 90 on, unless DISPLAY is already usable.
pelmora_start_xvfb() {
  if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return; fi
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  PELMORA_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return; sleep 0.1; done
  echo "env: Xvfb on $DISPLAY did not start" >&2
  return 1
}

# Stops this script's Wine (when it chose a prefix) and the Xvfb it started; for `trap ... EXIT`.
pelmora_stop_wine_and_display() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k 2>/dev/null || true
  [ -n "${PELMORA_XVFB_PID:-}" ] && kill "$PELMORA_XVFB_PID" 2>/dev/null || true
}

# Makes $WINEPREFIX a prefix whose default desktop is Wine's "shell" desktop with a taskbar.
pelmora_prepare_prefix() {
  export WINEPREFIX=$1
  local dpi=${2:-96}
  if [ ! -f "$WINEPREFIX/.pelmora-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i </dev/null >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f </dev/null >/dev/null 2>&1
    "$WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d 1024x768 /f </dev/null >/dev/null 2>&1
    # Title-bar buttons draw with Marlett; make sure the prefix has it and Tahoma.
    cp -n /usr/share/wine/fonts/marlett.ttf /usr/share/wine/fonts/tahoma*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    "$WINESERVER" -w
    touch "$WINEPREFIX/.pelmora-ready"
  fi
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
}
export WINESERVER=/usr/lib/wine/wineserver64

# Prepares the prefix at this DPI and stops its Wine: the desktop and every program read the DPI
# when they start, so the next program starts them afresh.
pelmora_prefix_at_dpi() {
  pelmora_prepare_prefix "$1" "$2"
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}
