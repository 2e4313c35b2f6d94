#!/usr/bin/env bash
# A child who cannot see plays with the Orca screen reader and the keyboard
# alone: a name, a game won, "Suite", "OUI", a game lost, "Suite", "NON".
# After each key, Orca must say what the game shows: the texts of the
# windows as the window tests read them in seance.txt, and the outcome of
# each letter, the word position by position and the jokers left.
# Fails when Orca, Xvfb, xdotool or the accessibility bus is missing.
# usage: orca.sh <game> <seance.txt>
set -u -o pipefail
GAME=$1 SEANCE=$2
if [[ -z ${DBUS_SESSION_BUS_ADDRESS:-} || -z ${ORCA_SEANCE:-} ]]; then
    command -v dbus-run-session >/dev/null || { echo "ORCA FAILURE: dbus-run-session is missing: install dbus" >&2; exit 1; }
    exec env ORCA_SEANCE=1 dbus-run-session -- bash "$0" "$@"
fi
WORK=${KEEP:-$(mktemp -d)} XVFB_PID='' BUS_PID='' ORCA_PID='' GAME_PID='' SAID=0
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
trap 'stop "$GAME_PID"; stop "$ORCA_PID"; stop "$BUS_PID"; stop "$XVFB_PID"; [[ -n ${KEEP:-} ]] || rm -rf "$WORK"' EXIT
for tool in Xvfb xdotool orca /usr/libexec/at-spi-bus-launcher; do
    command -v $tool >/dev/null || fail "$tool is missing: install xvfb, xdotool, orca and at-spi2-core"; done
mkdir -p "$WORK/home" "$WORK/run" && chmod 700 "$WORK/run" && touch "$LOG"
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

until_ok() { # <seconds> <what> <command...>
    local end=$((SECONDS + $1)) what=$2
    shift 2
    until "$@"; do ((SECONDS < end)) || fail "$what"; sleep 0.2; done
}
# A window's title and a control's text or spoken name, as the window tests saw them
title() { sed -n "s/^$1 \"\(.*\)\" [0-9]*x[0-9]* .*/\1/p" "$SEANCE" | head -n 1; }
shown() { grep -m 1 "^$1 .*${2:-}" "$SEANCE" | sed 's/.*"\(.*\)" «.*/\1/; s/.*«\(.*\)»$/\1/; s/\\n/ /g'; }
spoken() { grep -a 'SPEECH OUTPUT' "$LOG" | tail -n +$((SAID + 1)) | grep -qF -- "$1"; }
# The window opened, made active as a window manager would, and what Orca says of it
opens() {
    local what
    until_ok 10 "no window '$1'" xdotool search --onlyvisible --name "^$1\$" windowfocus --sync
    for what in "$@"; do until_ok 5 "Orca did not say: $what" spoken "$what"; done
}
hears() { # <key or text to type> <what Orca says then>...
    local key=$1 what
    shift
    SAID=$(grep -ac 'SPEECH OUTPUT' "$LOG")
    if [[ $key == type:* ]]; then xdotool type --delay 60 "${key#type:}"; else xdotool key "$key"; fi
    for what in "$@"; do until_ok 5 "after '$key', Orca did not say: $what" spoken "$what"; done
}
MAIN=$(title Pendu) REPLAY=$(title Rejouer)

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB_PID=$!
until_ok 15 "Xvfb gave no display" grep -q '^[0-9]' "$WORK/display"
export DISPLAY=:$(head -n 1 "$WORK/display")
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$WORK/bus.log" 2>&1 &
BUS_PID=$!
# Orca writes each line of its log at once only to a terminal.
script -qfec "orca --replace --debug-file=/dev/tty" "$LOG" >/dev/null 2>&1 &
ORCA_PID=$!
until_ok 30 "Orca did not start" spoken 'Screen reader on'
(cd "$HOME" && exec "$GAME") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
opens "$MAIN" 'Ton prénom' "$(shown Pendu.Question1)"

own_word() { # <word> <its start message>
    hears Tab 'Valider le prénom'
    hears space "$(shown Pendu.Accueil 'Bienvenue à toi, Zoé,')"
    for n in 1 2 3 4 5 6 7; do hears Tab "$(shown Pendu.Check$n)"; done
    hears space 'Ton mot, en majuscules' "$(shown Pendu.Accueil 'Attention, Zoé,')"
    hears type:"$1"
    hears Tab 'Valider le mot'
    hears space "$2"
}
jokers() { echo "Zoé,   il ne te reste plus que  $1 joker$( (($1 > 1)) && echo s) !"; }
suite='Pour continuer, le bouton Suite est juste après : touche Tab.'

hears type:Zoé
own_word "L'OS-A" "Mot proposé par l'utilisateur. $(shown Pendu.Consignes '6  lettres')"
hears o "O : dans le mot, 1 fois. Le mot : caché, caché, O, caché, caché, caché. $(jokers 7)"
hears z "Z : pas dans le mot. Le mot : caché, caché, O, caché, caché, caché. $(jokers 6)"
hears apostrophe "Apostrophe : dans le mot, 1 fois. Le mot : caché, Apostrophe, O, caché, caché, caché. $(jokers 6)"
hears minus "Trait d'union : dans le mot, 1 fois. Le mot : caché, Apostrophe, O, caché, Trait d'union, caché."
hears s "S : dans le mot, 1 fois. Le mot : caché, Apostrophe, O, S, Trait d'union, caché."
hears A "A : dans le mot, 1 fois. Le mot : caché, Apostrophe, O, S, Trait d'union, A. $(jokers 6)"
hears l "L : dans le mot, 1 fois. Le mot : L, Apostrophe, O, S, Trait d'union, A. $(shown Pendu.Consignes 'gagné') $suite"
hears Tab 'Suite'
hears space
opens "$REPLAY" 'OUI' "$(shown Rejouer.Label2)"
hears Tab 'NON'
hears shift+Tab 'OUI'
hears space
opens "$MAIN" 'Ton prénom'

own_word OS "Mot proposé par l'utilisateur. $(shown Pendu.Consignes ' 2  lettres')"
n=7
for key in a z e r t y; do
    n=$((n - 1))
    hears $key "${key^} : pas dans le mot. Le mot : caché, caché. $(jokers $n)"
done
hears space "Espace : pas dans le mot. Le mot : caché, caché. $(shown Pendu.Consignes 'perdu') Le mot était : O, S. $suite"
hears Tab 'Suite'
hears space
opens "$REPLAY" 'OUI'
hears Tab 'NON'
xdotool key space
until_ok 10 "the game still runs after NON" eval '! kill -0 $GAME_PID 2>/dev/null'
wait "$GAME_PID" || fail "the game ended with status $?"
GAME_PID=''
echo "orca: a game won and a game lost with the keyboard alone, every outcome said by Orca"
