#!/usr/bin/env bash
# Packs the shipped program for download: dist/Pelmora-<version>-win32.zip (Pelmora.exe and
# README.txt) and dist/SHA256SUMS. Made from a commit, never from uncommitted changes:
#
#   bash scripts/test.sh && bash scripts/release.sh
#
# The exe packed is build/i686/Pelmora.exe, built here exactly as the test command builds it (same
# folder, same settings): right after a test run nothing is rebuilt and the tested file is the one
# packed. The build is reproducible (the test command checks it), and the zip's dates are the
# commit's, so one commit gives the same exe, zip and checksum wherever and whenever it is made.
# Outside a git checkout, set SOURCE_DATE_EPOCH to the commit's time (`git log -1 --format=%ct`).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
source "$here/env.sh"
root=$PELMORA_ROOT

if git -C "$root" rev-parse --git-dir >/dev/null 2>&1; then
  changes=$(git -C "$root" status --porcelain -- . ':!build' ':!dist')
  if [ -n "$changes" ]; then
    echo "release: the checkout differs from its commit; a release is made from a commit:" >&2
    echo "$changes" >&2
    exit 1
  fi
  SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
elif [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  echo "release: not a git checkout: set SOURCE_DATE_EPOCH to the release commit's time" >&2
  exit 1
fi

product="$root/build/i686/Pelmora.exe"
echo "release: building $product"
pelmora_build_program i686 -DPELMORA_TESTS=ON -DPELMORA_PRODUCT_EXE="$product" >/dev/null
version=$(sed -n 's/^#define PELMORA_VERSION_TEXT "\(.*\)"$/\1/p' "$root/build/i686/generated/resources/version.h")
bash "$root/tests/check_version.sh" "$product" "$version"

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$product" "$stage/Pelmora.exe"
# Notepad on older Windows shows a file without CRs as one line.
sed 's/$/\r/' >"$stage/README.txt" <<EOF
Pelmora $version

Pelmora is a small Windows program that restyles the taskbar's Start button for as long as it
runs: a new label, an outline (ellipse, rectangle, or the outline of a line of text in a font you
choose), position and size, and a see-through taskbar. Every choice is saved at once and put back
on the Start button once a second. It lives in the notification area (the icons by the clock) and
can start by itself when you sign in.

Starting it
  There is nothing to install. Put Pelmora.exe in a folder of your choice and double-click it.
  "Pelmora.exe /min" starts it hidden, as an icon in the notification area.
  Closing the window keeps Pelmora running in the notification area: click its icon to bring the
  window back, or right-click the icon for its menu (Restore, Exit).
  Tick "Startup" to have Pelmora start, hidden, each time you sign in.

Giving the Start button back its own look
  The Start button and the taskbar keep the look Pelmora gave them when it exits, so that a look
  set once stays without the program running. To give them back the look they had before:
    Pelmora.exe /restore
  This ends a running Pelmora, removes the outline, gives the Start button back its own label,
  place and size, and makes the taskbar opaque again. Your settings stay: the next start of
  Pelmora applies your look again. "Pelmora.exe /exit" only ends a running Pelmora.

Removing it
  1. Untick "Startup" in Pelmora's window, so that it no longer starts when you sign in.
  2. Run "Pelmora.exe /restore" (from a Command Prompt, or Win+R with the full path): it ends
     Pelmora and gives the Start button and the taskbar their own look back.
  3. Delete Pelmora.exe.
  Pelmora keeps its settings in the registry, in HKEY_CURRENT_USER\\Velmontix\\QVR. While
  "Startup" is ticked, its start command is the value QVR in
  HKEY_CURRENT_USER\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run. To remove both, type in a
  Command Prompt:
    reg delete "HKCU\\Velmontix\\QVR" /f
    reg delete "HKCU\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run" /v QVR /f
  (The second one reports an error when "Startup" was already unticked: there is nothing to remove.)
  HKCU\\Velmontix is then empty unless another Velmontix program uses it; if it is empty,
  reg delete "HKCU\\Velmontix" /f removes it too.
  Without "/restore", the Start button and the taskbar keep the look Pelmora gave them until the
  taskbar is made afresh, as when you sign out and in again.
EOF

# Fixed dates (the commit's, in UTC), order, modes and no extra fields: the same bytes every time.
chmod 644 "$stage/Pelmora.exe" "$stage/README.txt"
TZ=UTC touch -d "@$SOURCE_DATE_EPOCH" "$stage/Pelmora.exe" "$stage/README.txt"
zip_name="Pelmora-$version-win32.zip"
mkdir -p "$root/dist"
rm -f "$root/dist/$zip_name"
(cd "$stage" && TZ=UTC zip -q -X -D "$root/dist/$zip_name" Pelmora.exe README.txt)
(cd "$root/dist" && sha256sum "$zip_name" >SHA256SUMS)
echo "release: dist/$zip_name ($(stat -c %s "$root/dist/$zip_name") bytes)"
echo "release: dist/SHA256SUMS: $(cat "$root/dist/SHA256SUMS")"
echo "release: Pelmora.exe $version, sha256 $(sha256sum "$product" | cut -d' ' -f1)"
