#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays Gibetto with real mouse clicks on a virtual X server, at the places
# read in seance.txt: centred, at scale 2 at the left of a screen too narrow for it;
# at scales 1, 2, 1.25 and 1.5 a name, a game won, "Suite", "NON" and the exit
# status, a new picture leaving nothing of the one before, used keys red, and at 2 the double-size
# drawings, not the small ones blown up, a teacher's own victory picture first.
# GIBETTO_ECHELLES names other scales.
# usage: partie.sh <game> <seance.txt> <captures directory> <desert@2x.bmp> <0@2x.bmp>
set -u -o pipefail
GAME=$1 SEANCE=$2 CAPTURES=$3 DESERT2X=$4 STAGE2X=$5 S=1
# <window>: its title, then its width and height, each on a line
window_line() { sed -n "s/^$1 \"\(.*\)\" \([0-9]*\)x\([0-9]*\) .*/\1\n\2 \3/p" "$SEANCE" | head -n 2; }
{ IFS= read -r MAIN && read -r MAIN_W MAIN_H; } < <(window_line Pendu)
REPLAY=$(window_line Rejouer | head -n 1)
WORK=$(mktemp -d) XVFB_PID='' GAME_PID=''

fail() {
    echo "E2E FAILURE: $*" >&2
    [[ -n $XVFB_PID ]] && import -window root "$CAPTURES/echec.png" && echo "screen: $CAPTURES/echec.png" >&2
    tail -n 20 "$WORK"/*.log >&2
    exit 1
}
stop() { [[ -n $1 ]] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null; }
trap 'stop "$GAME_PID"; stop "$XVFB_PID"; rm -rf "$WORK"' EXIT

for tool in Xvfb xdotool import compare xprop; do
    command -v $tool >/dev/null || fail "$tool is missing: install xvfb, xdotool, imagemagick and x11-utils"; done
declare -A BOX # a control's box: x y width height
while read -r name xy wh _; do
    [[ "$xy $wh" =~ ^([0-9]+),([0-9]+)\ ([0-9]+)x([0-9]+)$ ]] || continue
    BOX[$name]="${BASH_REMATCH[*]:1}"
done <"$SEANCE"
read -r EX EY EW EH <<<"${BOX[Pendu.Ecran]}" # the picture box
mkdir -p "$CAPTURES" "$WORK/home" "$WORK/run" && chmod 700 "$WORK/run"
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

until_ok() { # <seconds> <what> <command...>
    local end=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do ((SECONDS < end)) || fail "after $what"; sleep 0.2; done
}
window() { WIN=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1); [[ -n $WIN ]]; }
geometry() { eval "$(xdotool getwindowgeometry --shell "$WIN")"; }
click() { # <window title> <control>: at its centre
    local x y w h
    window "$1" || fail "no window '$1' to click $2 in"
    read -r x y w h <<<"${BOX[$2]:?no place for $2}"
    geometry
    xdotool mousemove --screen "${DISPLAY#*.}" $(awk "BEGIN { print int($X + $S * ($x + $w / 2)), int($Y + $S * ($y + $h / 2)) }") click 1 && sleep 0.3
}
type_in() { xdotool type --delay 60 "$1" && sleep 0.2; }
game() { # <word> [capture]: Entree, the own word, op, its letters, a capture after each, then Suite
    local i
    click "$MAIN" Pendu.Entree; click "$MAIN" Pendu.Check7; type_in "$1"; click "$MAIN" Pendu.op
    for ((i = 0; i < ${#1}; i++)); do
        click "$MAIN" "Pendu.${1:i:1}"
        [[ -z ${2:-} ]] || import -window "$WIN" "$CAPTURES/$i-$2"
    done
    xdotool search --name 'Image introuvable' >/dev/null && fail "a picture was not found, at scale $S"
    click "$MAIN" Pendu.SF
    until_ok 10 "no replay window after a game at scale $S" window "$REPLAY"
    until_ok 5 "the main window stays after Suite" eval '! window "$MAIN"'
}
start() { # from a home folder, as from a desktop menu: the files are beside the game
    (cd "$HOME" && exec env QT_SCALE_FACTOR=$S "$GAME") >"$WORK/game.log" 2>&1 &
    GAME_PID=$!
    until_ok 30 "no main window at scale $S" eval 'window "$MAIN" || ! kill -0 $GAME_PID 2>/dev/null'
    window "$MAIN" || fail "the game ended at start"
    geometry
    awk "BEGIN { exit ($WIDTH - $MAIN_W * $S) ^ 2 >= 1 || ($HEIGHT - $MAIN_H * $S) ^ 2 >= 1 }" ||
        fail "the main window is ${WIDTH}x$HEIGHT at scale $S"
    # Centred on its screen, but for the screen's left where it is too narrow.
    read -r SW SH <<<"$(xdotool getdisplaygeometry --screen "${DISPLAY#*.}")"
    (((X - (SW > WIDTH ? (SW - WIDTH) / 2 : 0)) ** 2 <= 4 && (Y - (SH - HEIGHT) / 2) ** 2 <= 4)) ||
        fail "the main window is at $X,$Y on a ${SW}x$SH screen at scale $S"
    [[ -z ${WM_CLASS:-} ]] || xprop -id "$WIN" WM_CLASS | grep -q "\"$WM_CLASS\"$" || fail "the window's class is not $WM_CLASS"
    click "$MAIN" Pendu.nj
    type_in 'Zoé'
}
# <capture> <drawing at double size>: what the picture box shows inside its one-pixel sunken
# frame; the box is taller than the 240 x 330 picture: compared a little inside both.
shows() {
    local crop=$(((EW - 6) * S))x$(((EH - 12) * S))
    convert "$1" -crop "$crop+$(((EX + 1) * S))+$(((EY + 1) * S))" +repage "$WORK/vu.png"
    convert "$2" -crop "$crop+0+0" +repage "$WORK/attendu.png"
    differ=$(compare -metric AE -fuzz 3% "$WORK/vu.png" "$WORK/attendu.png" null: 2>&1)
    ((${differ%%.*} < 500)) || fail "at scale 2 the picture box does not show $2 ($differ pixels differ)"
}
pixels() { # <capture> <colour> <control>: how many pixels of that colour its box and its frame show
    local x y w h
    read -r x y w h <<<"${BOX[$3]}"
    convert "$1" -crop "$(awk "BEGIN { print int(($w + 1) * $S) \"x\" int(($h + 1) * $S) \"+\" int($x * $S) \"+\" int($y * $S) }")" txt:- | grep -ci "#$2"
}

# Kept as it is between games: a two-screen Xvfb resetting once its last client
# left aborted, 2 runs in 2.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -screen 1 1600x1200x24 -nolisten tcp -noreset 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
until_ok 15 "Xvfb gave no display" grep -q '^[0-9]' "$WORK/display"
export DISPLAY=:$(head -n 1 "$WORK/display").0

S=2
start
stop "$GAME_PID"
DISPLAY=${DISPLAY%.0}.1
convert -size 240x330 xc:'#c08040' BMP3:"$HOME/victoire.bmp" && convert -size 480x660 xc:'#c08040' "$WORK/prof.png"
for S in ${GIBETTO_ECHELLES:-1 2 1.25 1.5}; do
    start
    import -window "$WIN" "$CAPTURES/depart@$S.png"
    game OS "partie@$S.png"
    (($(pixels "$CAPTURES/depart@$S.png" F6A234 Pendu.Ecran) > 1000)) || fail "at scale $S the start screen shows no desert"
    (($(pixels "$CAPTURES/0-partie@$S.png" F6A234 Pendu.Ecran) == 0)) || fail "at scale $S the picture box keeps some desert beside the first stage"
    # A used key shows red where its button stood; a key in play none, not even at its corners.
    (($(pixels "$CAPTURES/0-partie@$S.png" C00000 Pendu.O) > 300)) || fail "at scale $S the used key O shows no red"
    (($(pixels "$CAPTURES/0-partie@$S.png" C00000 Pendu.S) == 0)) || fail "at scale $S the key S in play shows red"
    if [[ $S == 2 ]]; then
        shows "$CAPTURES/depart@2.png" "$DESERT2X"
        shows "$CAPTURES/0-partie@2.png" "$STAGE2X"
        shows "$CAPTURES/1-partie@2.png" "$WORK/prof.png"
    fi
    click "$REPLAY" Rejouer.non
    until_ok 10 "the game still runs after NON" eval '! kill -0 $GAME_PID 2>/dev/null'
    wait "$GAME_PID" || fail "the game ended with status $? at scale $S"
    GAME_PID=''
done
echo "e2e_partie: at scales ${GIBETTO_ECHELLES:-1 2 1.25 1.5} a game won, Suite, NON, exit status 0; a new picture leaves nothing of the one before; at 2 the drawings at double size, the teacher's own first"
