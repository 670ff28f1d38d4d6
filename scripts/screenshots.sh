#!/usr/bin/env bash
# Remakes the README's screenshots: the main window, the customize window and the about window, each
# at 96, 144 and 192 DPI, cropped to the window, into docs/screenshots/{main,customize,about}-{96,144,192}.png;
# and the Start button as the shell holds it with each outline Pelmora gives it, drawn from the shell's
# windows, into docs/screenshots/start-button-{ellipse,rectangle,text}.png.
# Runs on a virtual display and in Wine prefixes of its own (one per DPI) under build/.
#
#   bash scripts/screenshots.sh                    # builds, then shoots
#   PELMORA_EXE=path/to/Pelmora.exe bash scripts/screenshots.sh   # shoots a given build
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/env.sh"

if [ -z "${PELMORA_EXE:-}" ]; then
  bash "$here/setup.sh"
  pelmora_build_program "$PELMORA_ARCH"
  PELMORA_EXE="$PELMORA_BUILD/Pelmora.exe"
fi
pelmora_build_picture_tool "$PELMORA_ARCH"
out="${PELMORA_SCREENSHOTS_DIR:-$PELMORA_ROOT/docs/screenshots}"
mkdir -p "$out"

unset DISPLAY
pelmora_start_xvfb
trap pelmora_stop_wine_and_display EXIT

# The geometry "x y width height" of the largest mapped top-level window with this exact title.
window_rect() {
  local id best="" area=0
  for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    local info x y w h
    info=$(xwininfo -id "$id")
    x=$(awk '/Absolute upper-left X/ {print $4}' <<<"$info")
    y=$(awk '/Absolute upper-left Y/ {print $4}' <<<"$info")
    w=$(awk '/Width:/ {print $2}' <<<"$info")
    h=$(awk '/Height:/ {print $2}' <<<"$info")
    if [ $((w * h)) -gt "$area" ]; then area=$((w * h)); best="$x $y $w $h"; fi
  done
  [ -n "$best" ] && echo "$best"
}

wait_for_window() {
  for _ in $(seq 100); do
    window_rect "$1" >/dev/null && { sleep 1; window_rect "$1"; return; }
    sleep 0.2
  done
  echo "screenshots: no window \"$1\" appeared" >&2
  return 1
}

shoot() {  # title file
  local x y w h
  read -r x y w h < <(window_rect "$1")
  import -window root -display "$DISPLAY" "$out/.root.png"
  convert "$out/.root.png" -crop "${w}x${h}+${x}+${y}" +repage "$out/$2"
  rm -f "$out/.root.png"
  echo "screenshots: $out/$2 (${w}x${h})"
}

twips() { echo $(( ($1 * $2 + 720) / 1440 )); }

for dpi in 96 144 192; do
  pelmora_prefix_at_dpi "$PELMORA_ROOT/build/screenshots-prefix-$PELMORA_ARCH-$dpi" "$dpi"
  # A settings key of the prefix's own, reset so every run shows the defaults.
  "$WINE" reg delete 'HKCU\Velmontix\QVR' /f </dev/null >/dev/null 2>&1 || true
  "$WINE" "$PELMORA_EXE" </dev/null >/dev/null 2>&1 &
  pelmora_pid=$!
  read -r mx my mw mh < <(wait_for_window Pelmora)
  # The client area is 4740 x 4155 twips at the bottom of the window, inside an equal border.
  cw=$(twips 4740 "$dpi"); ch=$(twips 4155 "$dpi")
  border=$(( (mw - cw) / 2 )); top=$(( mh - border - ch ))
  at() { echo $(( mx + border + $(twips "$1" "$dpi") )) $(( my + top + $(twips "$2" "$dpi") )); }
  xdotool mousemove 0 0
  sleep 0.5
  shoot Pelmora "main-$dpi.png"

  # "Customize Shape..." (the customize picture) lies at the bottom of the frame on the right.
  xdotool mousemove $(at 2910 3705) click 1
  wait_for_window "Customize Window" >/dev/null
  xdotool mousemove 0 0
  shoot "Customize Window" "customize-$dpi.png"

  # "About" is the button at the top left of the main window.
  xdotool mousemove $(at 575 157) click 1
  wait_for_window "About Pelmora" >/dev/null
  xdotool mousemove 0 0
  shoot "About Pelmora" "about-$dpi.png"

  "$WINESERVER" -k 2>/dev/null || true
  wait "$pelmora_pid" 2>/dev/null || true
done

# Wine's taskbar paints its own icon and "Start" on the Start button and ignores its region, so the
# look Pelmora gives it is drawn from the shell's windows instead, once the shell holds it.
pelmora_prefix_at_dpi "$PELMORA_ROOT/build/screenshots-prefix-$PELMORA_ARCH-96" 96
look="$out/.look.reg"
for shape in Ellipse Rectangle Text; do
  "$WINE" reg delete 'HKCU\Velmontix\QVR' /f </dev/null >/dev/null 2>&1 || true
  printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Velmontix\QVR]' "\"Type\"=\"$shape\"" '"Text"="Go"' \
    '"PX1"="4"' '"PX2"="72"' '"PY1"="0"' '"PY2"="20"' '"Text2"="Start"' '"NFont"="Tahoma"' '"SFont"="13"' \
    '"BFont"="True"' >"$look"
  "$WINE" reg import "Z:$look" </dev/null >/dev/null 2>&1
  "$WINE" "$PELMORA_EXE" /min </dev/null >/dev/null 2>&1 &
  pelmora_pid=$!
  picture="$out/start-button-${shape,,}.png"
  held=""
  for _ in $(seq 100); do
    # A tick gives the button its outline last: once it has one and the label, it has the whole look.
    held=$(pelmora_start_button_picture "$picture" 2>/dev/null) &&
      [[ $held != *"region none"* && $held == *'label "Go"'* ]] && break
    held=""
    sleep 0.2
  done
  [ -n "$held" ] || { echo "screenshots: the Start button took no outline ($shape)" >&2; exit 1; }
  sleep 2  # a layout of the shell's own, after Pelmora's window came, is undone at the next tick
  echo "screenshots: $picture: $(pelmora_start_button_picture "$picture")"
  "$WINESERVER" -k 2>/dev/null || true
  wait "$pelmora_pid" 2>/dev/null || true
done
rm -f "$look"
