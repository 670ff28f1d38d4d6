#!/usr/bin/env bash
# Installs what is missing, builds Pelmora and runs it in Wine's shell desktop (with a taskbar):
# on your X display when there is one, otherwise on a virtual display. Writes a screenshot of the
# desktop a few seconds after start, and a picture of the Start button as the shell holds it (Wine's
# taskbar does not show its label or outline), then runs until interrupted. Arguments go to Pelmora
# (e.g. /min).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
source "$here/env.sh"

pelmora_build_program i686
[ "$PELMORA_ARCH" = i686 ] || pelmora_build_program "$PELMORA_ARCH"
pelmora_build_picture_tool "$PELMORA_ARCH"
pelmora_start_xvfb
pelmora_prepare_prefix "$PELMORA_ROOT/build/run-prefix-$PELMORA_ARCH"

trap pelmora_stop_wine_and_display EXIT
trap 'exit 130' INT TERM

"$WINE" "$PELMORA_BUILD/Pelmora.exe" "$@" &
pelmora_pid=$!
sleep 6
shot="$PELMORA_ROOT/build/pelmora-desktop.png"
import -window root -display "$DISPLAY" "$shot" && echo "Pelmora is running on display $DISPLAY; screenshot: $shot"
picture="$PELMORA_ROOT/build/pelmora-start-button.png"
held=$(pelmora_start_button_picture "$picture") &&
  echo "The Start button as the shell holds it (Wine's taskbar does not show it): $picture" && echo "  $held"
echo "Press Ctrl+C to stop (or use Exit in its notification-area menu)."
wait "$pelmora_pid"
