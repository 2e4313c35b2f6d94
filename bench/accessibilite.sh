#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# What Qt's accessibility bridge costs the game when it is on without a
# screen reader (QT_LINUX_ACCESSIBILITY_ALWAYS_ON), as it would have to be on
# Debian 12 for Orca started after the game to hear it: a key click
# (bench_partie) and the start-up (startup.sh), the bridge off and on in
# turn, on a private session bus that has the accessibility bus. Prints
# figures and judges nothing.
# usage: bash bench/accessibilite.sh [build dir] [rounds]
set -u -o pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
BUILD=$(cd "${1:-$here/build}" && pwd) || exit 2
ROUNDS=${2:-3}
[[ -n ${ACCESSIBILITE_BUS:-} ]] || exec env ACCESSIBILITE_BUS=1 dbus-run-session -- bash "$0" "$BUILD" "$ROUNDS"
WORK=$(mktemp -d) BUS_PID='' XVFB_PID=''
trap 'kill $BUS_PID $XVFB_PID 2>/dev/null; rm -rf "$WORK"' EXIT
mkdir -p "$WORK/run" && chmod 700 "$WORK/run"
export HOME=$WORK XDG_RUNTIME_DIR=$WORK/run
unset QT_QPA_PLATFORM WAYLAND_DISPLAY QT_LINUX_ACCESSIBILITY_ALWAYS_ON
# The bus alone, without the X property that would turn every bridge on.
(unset DISPLAY && exec /usr/libexec/at-spi-bus-launcher --launch-immediately) >/dev/null 2>&1 &
BUS_PID=$!
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>/dev/null &
XVFB_PID=$!
for ((i = 0; i < 150; i++)); do grep -q '^[0-9]' "$WORK/display" && break; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$WORK/display")
for ((round = 1; round <= ROUNDS; round++)); do
    for bridge in off on; do
        env $([[ $bridge == on ]] && echo QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1) "$BUILD/bench/bench_partie" 1 |
            sed -n "s/^key click/bridge $bridge, round $round: key click/p"
        env $([[ $bridge == on ]] && echo QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1) bash "$here/bench/startup.sh" "$BUILD" 9 |
            sed -n "s/^desktop: processor time to the window mapped: game \([0-9.]* ms\).*/bridge $bridge, round $round: processor time to the window, game: \1/p"
    done
done
