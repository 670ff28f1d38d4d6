#!/usr/bin/env bash
# The program carries the project's version x.y.z in its version resource (as x.y.z.0 and "x.y.z")
# and in its embedded manifest (x.y.z.0): what Explorer's Properties and Windows' loader read.
set -euo pipefail
exe=$1 version=$2
IFS=. read -r major minor patch <<<"$version"
resources=$(i686-w64-mingw32-windres -J coff -i "$exe" -O rc)
bad=0
expect() {
  grep -qF -- "$1" <<<"$resources" || { echo "missing in the resources: $1"; bad=1; }
}
expect "FILEVERSION $major, $minor, $patch, 0"
expect "PRODUCTVERSION $major, $minor, $patch, 0"
expect "VALUE \"FileVersion\", \"$version\""
expect "VALUE \"ProductVersion\", \"$version\""
identity=$(strings -a "$exe" | grep -F 'name="Velmontix.Pelmora"' || true)
grep -qF "name=\"Velmontix.Pelmora\" version=\"$version.0\"" <<<"$identity" ||
  { echo "manifest: ${identity:-no assembly identity}, not version $version.0"; bad=1; }
[ $bad -eq 0 ] && echo "version: $version in the version resource and the manifest"
exit $bad
