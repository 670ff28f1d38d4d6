#!/usr/bin/env bash
# Packs the shipped program for download: dist/Pelmora-<version>-win32.zip (Pelmora.exe, and
# README.txt made from README.md's user text) and dist/SHA256SUMS. Made from a commit, never from
# uncommitted changes:
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
# README.txt is the README's user text (its "readme.txt" blocks), without Markdown's marks, and in
# CRLF lines: Notepad on older Windows shows a file without CRs as one line.
readme_text() {
  awk '/^<!-- readme.txt: end -->$/ {inside = 0; print ""; next}
       inside {print}
       /^<!-- readme.txt: begin -->$/ {inside = 1}' "$1" |
    sed -E -e '/^!\[/d' -e 's/\*\*([^*]+)\*\*/\1/g' -e 's/`([^`]*)`/\1/g' -e 's/\[([^]]*)\]\([^)]*\)/\1/g' |
    awk -F'|' '
      function trim(s) { gsub(/^ +| +$/, "", s); return s }
      /^## / {title = substr($0, 4); line = title; gsub(/./, "-", line); print title; print line; next}
      /^\|---/ {next}
      /^\|/ {
        # A table: one block per row, its first cell, then each other cell under its column heading.
        if (!in_table) { in_table = 1; for (i = 2; i < NF; i++) heading[i] = trim($i); next }
        print "  " trim($2)
        for (i = 3; i < NF; i++) print "      " heading[i] ": " trim($i)
        next
      }
      {in_table = 0; print}' |
    cat -s
}
user_text=$(readme_text "$root/README.md")
[ -n "$user_text" ] || { echo "release: README.md has no readme.txt blocks" >&2; exit 1; }
printf 'Pelmora %s\n\n%s\n' "$version" "$user_text" | sed 's/$/\r/' >"$stage/README.txt"

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
