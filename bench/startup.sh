#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the game against a bare Qt window (the floor), both started the
# same way under a private virtual X server: milliseconds from exec to the
# main window mapped, the processor time used by then, and resident memory at
# the first screen. The two are started in turn, so that a busy machine
# weighs on both alike. Prints one line a measure and judges nothing; fails
# only when it cannot measure.
# usage: bash bench/startup.sh [build dir] [runs]
set -u -o pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$here/build}" && pwd) || exit 2
RUNS=${2:-15}
GAME=$BUILD/bin/gibetto FLOOR=$BUILD/bench/plancher WATCH=$BUILD/bench/premiere_fenetre
FLOOR_TITLE='Plancher'
# Left to the first paint before the resident memory is read.
SETTLE_MS=500
WORK=$(mktemp -d) XVFB_PID=''

fail() { echo "startup.sh: $*" >&2; exit 2; }
trap '[[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null && wait "$XVFB_PID" 2>/dev/null; rm -rf "$WORK"' EXIT

command -v Xvfb >/dev/null || fail "Xvfb is missing: install xvfb"
for program in "$GAME" "$FLOOR" "$WATCH"; do
    [[ -x $program ]] || fail "$program is missing: build it first"
done
# The title and size of the game's main window, as the window tests read
# them; the bare window opens at that size.
GAME_TITLE=$(sed -n 's/^Pendu "\(.*\)" [0-9]*x[0-9]* .*/\1/p' "$here/tests/seance.txt" | head -n 1)
GAME_SIZE=$(sed -n 's/^Pendu ".*" \([0-9]*x[0-9]*\) .*/\1/p' "$here/tests/seance.txt" | head -n 1)
[[ -n $GAME_TITLE && -n $GAME_SIZE ]] || fail "no title or size in tests/seance.txt"
((RUNS >= 1)) || fail "runs must be at least 1"

mkdir -p "$WORK/home" "$WORK/run" && chmod 700 "$WORK/run"
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run
unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER

: >"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
for ((i = 0; i < 150; i++)); do
    grep -q '^[0-9]' "$WORK/display" && break
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start: $(tail -n 3 "$WORK/xvfb.log")"
    sleep 0.1
done
grep -q '^[0-9]' "$WORK/display" || fail "Xvfb gave no display"
export DISPLAY=:$(head -n 1 "$WORK/display")

# measure <title> <program> [arguments]: prints "ms kB cpu-ms"
measure() { (cd "$HOME" && "$WATCH" "$1" "$SETTLE_MS" "${@:2}") || fail "no measure of $2"; }

# A first start of each, not counted, fills the caches that every later one finds.
measure "$GAME_TITLE" "$GAME" >/dev/null
measure "$FLOOR_TITLE" "$FLOOR" "$GAME_SIZE" >/dev/null
for ((i = 0; i < RUNS; i++)); do
    measure "$GAME_TITLE" "$GAME" >>"$WORK/game"
    measure "$FLOOR_TITLE" "$FLOOR" "$GAME_SIZE" >>"$WORK/floor"
done

# median <file> <column>
median() { sort -n -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
game_ms=$(median "$WORK/game" 1) floor_ms=$(median "$WORK/floor" 1)
game_kb=$(median "$WORK/game" 2) floor_kb=$(median "$WORK/floor" 2)
game_cpu=$(median "$WORK/game" 3) floor_cpu=$(median "$WORK/floor" 3)
awk -v runs="$RUNS" -v gm="$game_ms" -v fm="$floor_ms" -v gk="$game_kb" -v fk="$floor_kb" \
    -v gc="$game_cpu" -v fc="$floor_cpu" 'BEGIN {
    printf "start-up to the main window mapped, game: %.1f ms (median of %d)\n", gm, runs
    printf "start-up to the window mapped, bare Qt window of the same size: %.1f ms (median of %d)\n", fm, runs
    printf "start-up ratio game/floor: %.2f\n", gm / fm
    printf "processor time to the main window mapped, game: %.1f ms\n", gc
    printf "processor time to the window mapped, bare Qt window: %.1f ms\n", fc
    printf "processor time ratio game/floor: %.2f\n", gc / fc
    printf "resident memory at the first screen, game: %.1f MB\n", gk / 1024
    printf "resident memory at the first screen, bare Qt window: %.1f MB\n", fk / 1024
    printf "resident memory ratio game/floor: %.2f\n", gk / fk
}'
