#!/usr/bin/env bash
# Runs a program on the Wayland platform under a private headless weston,
# stopped by its process id; fails when weston or qt6-wayland is missing.
# usage: wayland.sh <program> [arguments...]
set -u
command -v weston >/dev/null || { echo "weston is missing: install weston and qt6-wayland" >&2; exit 1; }
RUN=$(mktemp -d) && chmod 700 "$RUN" && export XDG_RUNTIME_DIR=$RUN WAYLAND_DISPLAY=gibetto QT_QPA_PLATFORM=wayland
# A headless weston has no keyboard, and Qt 6.4's Wayland text input then
# crashes on the first key a test types into a text box (3 runs in 3): the
# tests type without an input method.
export QT_IM_MODULE=none
WAYLAND_DEBUG= weston --backend=headless-backend.so --socket=gibetto --idle-time=0 --no-config >"$RUN/weston.log" 2>&1 &
WESTON=$! PROGRAM=''
trap 'kill $PROGRAM $WESTON 2>/dev/null; wait; rm -rf "$RUN"' EXIT
trap 'exit 143' TERM
until [[ -S $RUN/gibetto ]]; do kill -0 $WESTON 2>/dev/null || { cat "$RUN/weston.log" >&2; exit 1; }; sleep 0.1; done
"$@" &
PROGRAM=$!
wait $PROGRAM
