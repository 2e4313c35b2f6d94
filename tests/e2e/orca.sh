#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# A child who cannot see plays with Orca and the keyboard alone, as dialogue.txt
# tells; fails when Orca, Xvfb, xdotool or the accessibility bus is missing.
# usage: orca.sh <game> <seance.txt>
set -u -o pipefail
GAME=$1 SEANCE=$2 DIALOGUE=$(dirname "$0")/dialogue.txt
[[ -n ${ORCA_SEANCE:-} ]] || exec env ORCA_SEANCE=1 dbus-run-session -- bash "$0" "$@"
WORK=$(mktemp -d) XVFB_PID='' BUS_PID='' ORCA_PID='' GAME_PID='' SAID=0 KEY=''
LOG=$WORK/orca.log
fail() {
    echo "ORCA FAILURE: $*" >&2
    grep -a 'SPEECH OUTPUT' "$LOG" | tail -n 8 >&2
    exit 1
}
stop() { # <pid>: asked to end, then made to after 3 s (Orca 43 can linger)
    [[ -n $1 ]] && kill "$1" 2>/dev/null || return 0
    timeout 3 tail --pid="$1" -f /dev/null || kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}
trap 'stop "$GAME_PID"; stop "$ORCA_PID"; stop "$BUS_PID"; stop "$XVFB_PID"; rm -rf "$WORK"' EXIT
for tool in Xvfb xdotool orca /usr/libexec/at-spi-bus-launcher; do
    command -v $tool >/dev/null || fail "$tool is missing: install xvfb, xdotool, orca and at-spi2-core"; done
mkdir -p "$WORK/home" "$WORK/run" && chmod 700 "$WORK/run" && touch "$LOG"
# The system's data folders hold the schemas of the accessibility bus's and Orca's settings.
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8 XDG_DATA_DIRS=/usr/local/share:/usr/share
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

until_ok() { # <seconds> <what> <command...>
    local end=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do ((SECONDS < end)) || fail "$what"; sleep 0.2; done
}
# A window's title, or a control's text or spoken name, as the window tests saw it
shown() { grep -m 1 "^$1 .*${2:-}" "$SEANCE" | sed 's/^[^"]*"\(.*\)" .*/\1/; s/.*«\(.*\)»$/\1/; s/\\n/ /g'; }
# A piece of the dialogue, its {Window} or {Control text} replaced by what it shows
said() {
    local line=$(sed 's/^ *//; s/ *$//' <<<"$1")
    while [[ $line =~ ^(.*)\{([^ }]+)\ ?([^}]*)\}(.*)$ ]]; do
        line=${BASH_REMATCH[1]}$(shown "${BASH_REMATCH[2]}" "${BASH_REMATCH[3]}")${BASH_REMATCH[4]}
    done
    echo "$line"
}
# One whole utterance since the key: the text alone, or with Orca's words for the control's role.
spoken() {
    local heard rest
    while IFS= read -r heard; do
        rest=${heard#"$1"}
        [[ $rest != "$heard" && $rest =~ ^(\ [a-z ]+)?\.?\ *$ ]] && return 0
    done < <(grep -a 'SPEECH OUTPUT' "$LOG" | tail -n +$((SAID + 1)) | sed -n "s/.*SPEECH OUTPUT: '\(.*\)' \?{.*/\1/p")
    return 1
}
hears() { # <key> <what Orca says then>...
    local what
    KEY=$(said "$1") SAID=$(grep -ac 'SPEECH OUTPUT' "$LOG")
    case $KEY in
    type:*) xdotool type --delay 60 "${KEY#type:}" ;;
    window:*) until_ok 10 "no window '$KEY'" xdotool search --onlyvisible --name "^$(shown "${KEY#window:}")\$" windowfocus --sync ;;
    *) xdotool key "$KEY" ;;
    esac
    shift
    for what in "$@"; do
        what=$(said "$what")
        until_ok 10 "after '$KEY', Orca did not say: $what" spoken "$what"
    done
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
until_ok 15 "Xvfb gave no display" grep -qs '^[0-9]' "$WORK/display"
export DISPLAY=:$(head -n 1 "$WORK/display")
setxkbmap fr || fail "no French keyboard, as a French child has: install xkb-data"
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/bus.log" 2>&1 &
BUS_PID=$!
until_ok 30 "no accessibility bus" dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner string:org.a11y.Bus
# The screen reader turned on as a desktop's switch turns it on.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
    string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true >/dev/null || fail "the screen reader could not be turned on"
# Orca beside any other Orca of this user, such as a contributor's own screen
# reader, which --replace would kill and which would keep it from starting;
# with the Python that Orca is installed for.
cat >"$WORK/lance-orca.py" <<'EOF'
import runpy
import sys
sys.argv = ["orca", "--debug-file=/dev/tty"]
main = runpy.run_path("/usr/bin/orca")["main"]
main.__globals__["otherOrcas"] = lambda: []
sys.exit(main())
EOF
# Orca writes each line of its log at once only to a terminal.
script -qfec "/usr/bin/python3 $WORK/lance-orca.py" "$LOG" >/dev/null 2>&1 &
ORCA_PID=$!
until_ok 60 "Orca did not start" spoken 'Screen reader on'
(cd "$HOME" && exec "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
while IFS='|' read -r -u 3 -a step; do
    [[ ${step[0]} =~ ^(#|$) ]] || hears "${step[@]}"
done 3<"$DIALOGUE"
until_ok 10 "the game still runs after the dialogue" eval '! kill -0 $GAME_PID 2>/dev/null'
wait "$GAME_PID" || fail "the game ended with status $?"
GAME_PID=''
echo "orca: every step of $DIALOGUE said by Orca, and the game ended well"
