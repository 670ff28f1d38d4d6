#!/usr/bin/env bash
# Installs what building and running Pelmora here needs, from Debian's archive, once.
# Safe to run again: it only calls apt-get when a package is missing.
set -euo pipefail

packages=(wine wine64 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
          cmake ninja-build googletest xvfb xauth x11-utils xdotool imagemagick fonts-wine fonts-liberation
          fonts-dejavu-core binutils-mingw-w64-i686 file zip)
i386_packages=(wine32:i386)

missing=()
for p in "${packages[@]}" "${i386_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}" >&2
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
