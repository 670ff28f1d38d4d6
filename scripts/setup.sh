#!/usr/bin/env bash
# Installs what building and running Pelmora here needs, from Debian's archive, once.
# Safe to run again: it only calls apt-get when a package is missing.
#
# The archive has bad moments, and a set-up should live through them:
# - an index being refreshed on the mirror ("File has unexpected size") makes `apt-get update` fail
#   for that list only: it is tried once more, then the install goes on with the lists there are;
# - the security suite can hold a newer build of a shared library for one architecture only, and
#   Multi-Arch packages of two architectures must have the same version: when the plain install is
#   refused, it is tried again with every package from the release's main suite, where both match;
# - when that fails too, it stops with one message naming the packages and apt's own error.
set -euo pipefail

packages=(wine wine64 g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
          cmake ninja-build googletest xvfb xauth x11-utils xdotool imagemagick fonts-wine fonts-liberation
          fonts-dejavu-core binutils-mingw-w64-i686 file zip clang-format)
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

if ! $sudo apt-get update -qq; then
  echo "setup: apt-get update failed; trying once more in 5 s" >&2
  sleep "${PELMORA_SETUP_RETRY_DELAY:-5}"
  $sudo apt-get update -qq ||
    echo "setup: some package lists could not be updated; installing from the lists there are" >&2
fi

errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
install() {
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >/dev/null 2>"$errors"
}

install "${missing[@]}" && exit 0

# PELMORA_OS_RELEASE stands in for the file in tests. Without the file, the failed `.` must not end
# the script here (set -e): the default suite is taken.
release=$(. "${PELMORA_OS_RELEASE:-/etc/os-release}" 2>/dev/null && echo "${VERSION_CODENAME:-}" || true)
release=${release:-bookworm}
echo "setup: the install was refused; trying again with every package from $release's main suite" >&2
install -t "$release" "${missing[@]}" && exit 0

{
  echo "setup: could not install: ${missing[*]}"
  echo "setup: apt-get said:"
  grep -E '^(E|W):|Depends:|unmet' "$errors" | sed 's/^/  /' || sed 's/^/  /' "$errors"
} >&2
exit 1
