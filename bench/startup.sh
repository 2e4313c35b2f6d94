#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the game against a bare Qt window (the floor), both started the
# same way under a private virtual X server: milliseconds from exec to the
# main window mapped, the processor time used by then, and resident memory at
# the first screen. Each in two conditions: "desktop", with a private session
# bus that has the accessibility bus and no screen reader on, as a desktop
# session starts them; and "no bus", without a session bus. The four are
# started in turn, so that a busy machine weighs on all alike. Prints one line
# a measure and condition and judges nothing; fails only when it cannot
# measure.
# usage: bash bench/startup.sh [build dir] [runs]
set -u -o pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$here/build}" && pwd) || exit 2
RUNS=${2:-15}
GAME=$BUILD/bin/gibetto FLOOR=$BUILD/bench/plancher WATCH=$BUILD/bench/premiere_fenetre
FLOOR_TITLE='Plancher'
# Left to the first paint before the resident memory is read.
SETTLE_MS=500
LAUNCHER=/usr/libexec/at-spi-bus-launcher
WORK=$(mktemp -d) XVFB_PID='' BUS_PID='' A11Y_PID=''

fail() { echo "startup.sh: $*" >&2; exit 2; }
stop() { [[ -n $1 ]] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null; }
trap 'stop "$A11Y_PID"; stop "$BUS_PID"; stop "$XVFB_PID"; rm -rf "$WORK"' EXIT

command -v Xvfb >/dev/null || fail "Xvfb is missing: install xvfb"
command -v dbus-daemon >/dev/null || fail "dbus-daemon is missing: install dbus"
[[ -x $LAUNCHER ]] || fail "$LAUNCHER is missing: install at-spi2-core"
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
unset QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS

# until_ok <what> <log> <command...>: waits up to 15 s for the command to
# succeed; otherwise fails, with the log's last lines
until_ok() {
    local what=$1 log=$2 i
    shift 2
    for ((i = 0; i < 150; i++)); do "$@" && return 0; sleep 0.1; done
    fail "$what: $(tail -n 3 "$log")"
}

: >"$WORK/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
until_ok "Xvfb gave no display" "$WORK/xvfb.log" grep -q '^[0-9]' "$WORK/display"
export DISPLAY=:$(head -n 1 "$WORK/display")

# The desktop's session bus, and its accessibility bus launched at once as a
# session starts it, without telling X about it: Qt's accessibility then
# stays off in both programs until an assistive technology turns it on.
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$WORK/bus" 2>"$WORK/bus.log" &
BUS_PID=$!
until_ok "dbus-daemon gave no address" "$WORK/bus.log" grep -q . "$WORK/bus"
DESKTOP_BUS=$(head -n 1 "$WORK/bus")
(unset DISPLAY && DBUS_SESSION_BUS_ADDRESS=$DESKTOP_BUS XDG_DATA_DIRS=/usr/local/share:/usr/share \
    exec "$LAUNCHER" --launch-immediately) >"$WORK/a11y.log" 2>&1 &
A11Y_PID=$!
until_ok "no accessibility bus" "$WORK/a11y.log" dbus-send --bus="$DESKTOP_BUS" --print-reply \
    --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner string:org.a11y.Bus >/dev/null 2>&1

# measure <condition> <title> <program> [arguments]: prints "ms kB cpu-ms"
measure() {
    local bus=()
    [[ $1 == desktop ]] && bus=(DBUS_SESSION_BUS_ADDRESS="$DESKTOP_BUS")
    (cd "$HOME" && env "${bus[@]}" "$WATCH" "$2" "$SETTLE_MS" "${@:3}") || fail "no measure of $3 ($1)"
}
CONDITIONS=(desktop nobus)
# A first start of each, not counted, fills the caches that every later one finds.
for ((i = 0; i <= RUNS; i++)); do
    for condition in "${CONDITIONS[@]}"; do
        out=$WORK/$condition
        ((i == 0)) && out=/dev/null
        measure $condition "$GAME_TITLE" "$GAME" >>"$out.game"
        measure $condition "$FLOOR_TITLE" "$FLOOR" "$GAME_SIZE" >>"$out.floor"
    done
done

# median <file> <column>
median() { sort -n -k"$2","$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
for condition in "${CONDITIONS[@]}"; do
    game=$WORK/$condition.game floor=$WORK/$condition.floor
    awk -v c="${condition/nobus/no bus}" -v runs="$RUNS" \
        -v gm="$(median "$game" 1)" -v fm="$(median "$floor" 1)" \
        -v gc="$(median "$game" 3)" -v fc="$(median "$floor" 3)" \
        -v gk="$(median "$game" 2)" -v fk="$(median "$floor" 2)" 'BEGIN {
        printf "%s: start-up to the window mapped: game %.1f ms, bare window %.1f ms, ratio %.2f (medians of %d)\n", c, gm, fm, gm / fm, runs
        printf "%s: processor time to the window mapped: game %.1f ms, bare window %.1f ms, ratio %.2f\n", c, gc, fc, gc / fc
        printf "%s: resident memory at the first screen: game %.1f MB, bare window %.1f MB, ratio %.2f\n", c, gk / 1024, fk / 1024, gk / fk
    }'
done
