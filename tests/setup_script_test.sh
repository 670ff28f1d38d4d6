#!/usr/bin/env bash
# scripts/setup.sh against an archive in its bad moments, without the network. apt-get, dpkg,
# dpkg-query and sudo are stand-ins, and PATH holds nothing else but the few tools the script needs:
# the real apt and dpkg cannot be reached, even as root. Usage: setup_script_test.sh [setup.sh]
set -euo pipefail
setup=$(realpath "${1:-$(dirname "$0")/../scripts/setup.sh}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
bin=$tmp/bin
mkdir "$bin"
for tool in bash env grep sed mktemp rm sleep id; do ln -s "$(command -v "$tool")" "$bin/$tool"; done

stand_in() { { echo "#!$BASH"; cat; } >"$bin/$1"; chmod +x "$bin/$1"; }
stand_in sudo <<'EOF'
exec "$@"
EOF
stand_in dpkg-query <<'EOF'
exit 1
EOF
stand_in dpkg <<'EOF'
[ "$*" = --print-foreign-architectures ] && { echo i386; exit 0; }
echo "dpkg $*" >>"$LOG"
exit 2
EOF
# FAKE_UPDATE=fail: every update fails as during an index refresh. FAKE_INSTALL=needs-t: an install
# goes through only with -t; refuse: none does.
stand_in apt-get <<'EOF'
echo "apt-get $*" >>"$LOG"
case $1 in
  update)
    [ "${FAKE_UPDATE:-}" = fail ] || exit 0
    echo "E: Failed to fetch http://deb.debian.org/debian/dists/bookworm/main/binary-i386/Packages.xz  File has unexpected size" >&2
    exit 100 ;;
  install)
    case ${FAKE_INSTALL:-} in
      needs-t) [[ " $* " = *" -t "* ]] && exit 0 ;;
      refuse) ;;
      *) exit 0 ;;
    esac
    echo "E: Unable to correct problems, you have held broken packages." >&2
    echo "(apt-get install ended)" >>"$ERR"  # what setup.sh says after this line is its own
    exit 100 ;;
esac
exit 1
EOF

bad=0
scenario_bad=0
fail() { echo "FAIL ($scenario): $*"; bad=1; scenario_bad=1; }
# run NAME VAR=value...: the script with the stand-ins as told, in an empty environment. Leaves its
# exit code in rc and the apt calls it made in calls: update, install or install -t <suite>, by commas.
run() {
  scenario=$1
  shift
  scenario_bad=0
  rm -f "$tmp/log" "$tmp/err"
  rc=0
  env -i PATH="$bin" HOME="$tmp" TMPDIR="$tmp" LOG="$tmp/log" ERR="$tmp/err" PELMORA_SETUP_RETRY_DELAY=0 "$@" \
    "$bin/bash" "$setup" >/dev/null 2>>"$tmp/err" </dev/null || rc=$?
  calls=$(touch "$tmp/log"
          sed -E 's/^apt-get (update|install) .* -t ([^ ]+) .*/\1 -t \2/; t; s/^apt-get (update|install)( .*)?$/\1/' \
            "$tmp/log" | paste -sd, -)
}
expect() {  # expect RC CALLS
  [ "$rc" -eq "$1" ] || fail "exit $rc, expected $1"
  [ "$calls" = "$2" ] || fail "calls '$calls', expected '$2'"
}
said() { [ $scenario_bad -eq 0 ] || sed 's/^/  setup.sh said: /' "$tmp/err"; }

run "update fails twice" FAKE_UPDATE=fail
expect 0 "update,update,install"
said

# A codename other than the script's own default, so it is seen to be read.
echo 'VERSION_CODENAME=trixie' >"$tmp/os-release"
run "plain install refused" FAKE_INSTALL=needs-t PELMORA_OS_RELEASE="$tmp/os-release"
expect 0 "update,install,install -t trixie"
said

# No os-release at all: the default suite is taken, and the message must still come.
run "every install refused" FAKE_INSTALL=refuse PELMORA_OS_RELEASE="$tmp/none"
expect 1 "update,install,install -t bookworm"
message=$(sed -n '/^(apt-get install ended)$/{s/.*//;h;d};H;${x;p}' "$tmp/err")
grep -q 'wine32:i386' <<<"$message" || fail "its last words do not name the packages"
grep -qF 'E: Unable to correct problems, you have held broken packages.' <<<"$message" ||
  fail "its last words do not carry apt's error"
said

[ $bad -eq 0 ] && echo "setup.sh: lives through a failing update, falls back to the main suite, says why it stops"
exit $bad
