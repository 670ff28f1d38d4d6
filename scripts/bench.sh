#!/usr/bin/env bash
# Builds the program and the benchmark, runs the benchmark under Wine in a prefix and on an X
# display of its own, and prints the program's size and import list.
#   bash scripts/bench.sh [ticks-per-shape [parts]]     (default 86400; parts: docs/BENCHMARK.md)
# PELMORA_BENCH_BUILD and PELMORA_BENCH_PREFIX choose other build and prefix folders.
#
# It measures the build this host can run (scripts/env.sh): the shipped i686 build where the host
# runs 32-bit Wine, otherwise the x86_64 build. The shipped i686 program's size and imports are
# printed on every host. While it runs, the benchmark may ask for its prefix's shell to be stopped
# for a few seconds (below); nothing else is signalled, and the shell is resumed however this ends.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bash "$here/setup.sh"
source "$here/env.sh"

build=${PELMORA_BENCH_BUILD:-$PELMORA_ROOT/build/bench-$PELMORA_ARCH}
prefix=${PELMORA_BENCH_PREFIX:-$PELMORA_ROOT/build/bench-prefix-$PELMORA_ARCH}

configure() {  # build-dir arch
  cmake -S "$PELMORA_ROOT" -B "$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$PELMORA_ROOT/cmake/toolchain-mingw-$2.cmake" -DPELMORA_TESTS=ON >/dev/null
}
configure "$build" "$PELMORA_ARCH"
cmake --build "$build" --target pelmora_bench
shipped="$build"
if [ "$PELMORA_ARCH" != i686 ]; then
  shipped="$PELMORA_ROOT/build/bench-i686"
  configure "$shipped" i686
  cmake --build "$shipped" --target Pelmora
fi

# Under Wine nearly every call of the program is a round trip to Wine's server, which costs about
# 15 us while the program and the server share a core and 85-135 us when the scheduler puts them on
# two (docs/BENCHMARK.md); which of the two a run gets changes from run to run, and a figure and its
# floor can fall in different ones. So from here on this script and all it starts (Xvfb, Wine's
# server, the shell, the benchmark) run on one core, where every figure and its floor are measured
# alike. PELMORA_BENCH_ALL_CORES=1 leaves them to the scheduler.
if [ -z "${PELMORA_BENCH_ALL_CORES:-}" ] && command -v taskset >/dev/null && [ "$(nproc)" -gt 1 ]; then
  core=$(($(nproc) - 1))
  taskset -pc "$core" $$ >/dev/null
  echo "bench: on core $core only (PELMORA_BENCH_ALL_CORES=1: all cores)"
fi

# Never the user's display or ~/.wine.
unset DISPLAY
trap pelmora_stop_wine_and_display EXIT
pelmora_start_xvfb
pelmora_prepare_prefix "$prefix"

# The benchmark measures Pelmora while the shell is stopped, which a Windows program under Wine
# cannot do itself: it asks by a file in $signals (drive Z: is /), and this script stops the
# explorer.exe that draws this prefix's desktop and taskbar (SIGSTOP), answers, and lets it go on
# (SIGCONT) after the asked seconds, at the latest when this script ends. Only that one process is
# ever signalled.
signals=$(mktemp -d /tmp/pelmora-bench-signals.XXXXXX)
stopped_pid=

# The Linux pid of this prefix's desktop process: explorer.exe /desktop with our WINEPREFIX and
# DISPLAY. Prints nothing unless exactly one process matches. Read with builtins only: a process
# started for each of the machine's processes would make the benchmark wait.
shell_pid() {
  local found=() p args line env
  for p in /proc/[0-9]*; do
    mapfile -d '' -t args 2>/dev/null <"$p/cmdline" || continue
    line="${args[*],,}"
    line="${line%"${line##*[! ]}"}"  # Wine pads the command line it writes with NULs
    case "$line" in *'\explorer.exe /desktop') ;; *) continue ;; esac
    mapfile -d '' -t env 2>/dev/null <"$p/environ" || continue
    has "WINEPREFIX=$WINEPREFIX" "${env[@]}" && has "DISPLAY=$DISPLAY" "${env[@]}" || continue
    found+=("${p#/proc/}")
  done
  [ "${#found[@]}" -eq 1 ] && echo "${found[0]}"
  return 0
}

has() {  # word words...: whether the word is among the words
  local want=$1 word
  shift
  for word; do [ "$word" = "$want" ] && return 0; done
  return 1
}

# The pid stopped is also kept in a file, so that this script's own end resumes it should the
# server below be killed outright.
resume_shell() {
  if [ -n "$stopped_pid" ]; then
    kill -CONT "$stopped_pid" 2>/dev/null || true
    stopped_pid=
    rm -f "$signals/stopped-pid"
  fi
}

answer() {  # file text: written whole, then renamed, so the benchmark never reads half of it
  echo "$2" >"$signals/$1.new" && mv "$signals/$1.new" "$signals/$1"
}

# Serves the benchmark's requests until it ends; the shell is resumed however this loop ends.
serve_shell_stops() {
  trap 'resume_shell; exit 0' TERM EXIT
  local pid seconds pause
  # Waits with the shell's own read timeout: no process started at every look for the whole run.
  [ -p "$signals/pause" ] || mkfifo "$signals/pause"
  exec {pause}<>"$signals/pause"
  while :; do
    if [ -f "$signals/stop-shell" ]; then
      seconds=$(tr -dc 0-9 <"$signals/stop-shell")
      rm -f "$signals/stop-shell"
      pid=$(shell_pid)
      if [ -z "$pid" ]; then
        answer shell-not-stopped "no single explorer.exe /desktop of prefix $WINEPREFIX on display $DISPLAY"
      elif [ -z "$seconds" ] || [ "$seconds" -gt 60 ]; then
        answer shell-not-stopped "asked for '$seconds' seconds"
      else
        stopped_pid=$pid
        echo "$pid" >"$signals/stopped-pid"
        kill -STOP "$pid"
        echo "bench: stopped the shell, explorer.exe pid $pid, for $seconds s" >&2
        answer shell-stopped "$pid"
        sleep "$seconds" &
        wait $! || true  # a wait, unlike a sleep, lets the trap run at once
        resume_shell
        echo "bench: the shell runs again" >&2
        answer shell-resumed "$pid"
      fi
    fi
    read -rt 0.05 -u "$pause" || true
  done
}

"$WINE" cmd /c exit </dev/null >/dev/null 2>&1  # start Wine's services outside the measurement
sleep 2
echo "bench: $PELMORA_ARCH build ($build) under $WINE, display $DISPLAY, prefix $prefix"
[ "$PELMORA_ARCH" = i686 ] ||
  echo "bench: this host cannot run 32-bit Wine: the figures below are the x86_64 build's, not the shipped i686 program's"
serve_shell_stops &
server=$!
# Whatever ends this script, the server resumes a stopped shell before Wine and the display go.
finish() {
  kill "$server" 2>/dev/null || true
  wait "$server" 2>/dev/null || true
  [ -f "$signals/stopped-pid" ] && kill -CONT "$(cat "$signals/stopped-pid")" 2>/dev/null || true
  rm -rf "$signals"
  pelmora_stop_wine_and_display
}
trap finish EXIT
PELMORA_BENCH_SIGNALS="Z:${signals//\//\\}" \
  "$WINE" "$build/bench/pelmora_bench.exe" "$@" </dev/null 2>&1 | tr -d '\r'

echo
size_and_imports() {  # arch exe
  echo "Pelmora.exe ($1): $(stat -c %s "$2") bytes (target 409600)"
  echo "  imports: $("$1-w64-mingw32-objdump" -p "$2" | awk '/DLL Name:/ {print $3}' | sort -u | tr '\n' ' ')"
}
[ "$PELMORA_ARCH" = i686 ] || size_and_imports "$PELMORA_ARCH" "$build/Pelmora.exe"
size_and_imports i686 "$shipped/Pelmora.exe"
echo "  (i686 is the shipped program)"
