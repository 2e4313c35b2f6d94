#!/usr/bin/env bash
# Plays Gibetto from start to end with real mouse clicks on a virtual X server:
# a won game with an own word, "OUI", a lost game, "NON".
#
# usage: partie.sh <program> <program directory> <captures directory>
set -u -o pipefail

PROGRAM=${1:?usage: partie.sh <program> <program directory> <captures directory>}
PROGRAM_DIR=${2:?usage: partie.sh <program> <program directory> <captures directory>}
CAPTURES=${3:?usage: partie.sh <program> <program directory> <captures directory>}

MAIN_TITLE='Gibetto - Vocabulaire et orthographe -  Olaf PIRVEC'
REPLAY_TITLE='        Continuer à jouer'
NAME='Zoé'
# Ends the run by itself, cleaning up, before ctest's own timeout would kill it.
DEADLINE=105

WORK=''
XVFB_PID=''
GAME_PID=''
GAME_DONE=0
STEP='set-up'

fail() {
    echo "E2E FAILURE [$STEP]: $*" >&2
    if [[ -n $XVFB_PID ]] && kill -0 "$XVFB_PID" 2>/dev/null; then
        mkdir -p "$CAPTURES"
        import -window root "$CAPTURES/echec.png" 2>/dev/null &&
            echo "screen at the failure: $CAPTURES/echec.png" >&2
    fi
    if [[ -n $WORK && -s $WORK/game.log ]]; then
        echo '--- game output ---' >&2
        tail -n 40 "$WORK/game.log" >&2
    fi
    exit 1
}

stop_pid() {
    local pid=$1 i
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    for ((i = 0; i < 30; i++)); do
        alive "$pid" || break
        sleep 0.1
    done
    alive "$pid" && kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    local rc=$?
    trap - EXIT
    if [[ -n $GAME_PID && $GAME_DONE -eq 0 ]]; then stop_pid "$GAME_PID"; fi
    if [[ -n $XVFB_PID ]]; then stop_pid "$XVFB_PID"; fi
    if [[ -n $WORK ]]; then rm -rf "$WORK"; fi
    exit "$rc"
}
trap cleanup EXIT
trap 'fail "interrupted"' INT TERM

# True while the process runs; a finished child that was not yet waited for
# is a zombie, which kill -0 would still report as alive.
alive() {
    local state
    [[ -r /proc/$1/stat ]] || return 1
    state=$(awk '{print $3}' "/proc/$1/stat" 2>/dev/null) || return 1
    [[ -n $state && $state != Z && $state != X ]]
}

for tool in Xvfb xdotool xwininfo import convert compare awk; do
    command -v "$tool" >/dev/null 2>&1 ||
        fail "'$tool' is missing: install xvfb, xdotool, x11-utils and imagemagick"
done
convert -version 2>/dev/null | grep -q ImageMagick ||
    fail "'convert' is not ImageMagick: install imagemagick"
[[ -x $PROGRAM ]] || fail "no game program at $PROGRAM (build it first)"
[[ -d $PROGRAM_DIR ]] || fail "no directory $PROGRAM_DIR"
PROGRAM=$(realpath "$PROGRAM")

WORK=$(mktemp -d) || fail "mktemp failed"
{ mkdir -p "$WORK/home" "$WORK/run" && chmod 700 "$WORK/run"; } || fail "cannot prepare $WORK"
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run
# The game must talk to the virtual X server through xcb, whatever the caller had.
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
mkdir -p "$CAPTURES" || fail "cannot create $CAPTURES"
rm -f "$CAPTURES"/*.png

# --- polling helpers ---------------------------------------------------------

check_deadline() {
    ((SECONDS < DEADLINE)) || fail "the whole run took more than $DEADLINE s"
}

check_game_alive() {
    alive "$GAME_PID" || {
        GAME_DONE=1
        wait "$GAME_PID"
        fail "the game ended unexpectedly (status $?)"
    }
}

# wait_for <seconds> <description> <command...>: polls the command until it succeeds.
wait_for() {
    local limit=$1 what=$2 start=$SECONDS
    shift 2
    while ! "$@"; do
        check_deadline
        ((SECONDS - start < limit)) || fail "after ${limit} s: $what"
        sleep 0.1
    done
}

# Visible windows whose title is exactly the given one.
windows_titled() {
    local id
    for id in $(xdotool search --onlyvisible --name 'Gibetto|Continuer' 2>/dev/null); do
        [[ $(xdotool getwindowname "$id" 2>/dev/null) == "$1" ]] && echo "$id"
    done
}

one_window_titled() {
    local ids
    ids=$(windows_titled "$1")
    [[ -n $ids && $(wc -l <<<"$ids") -eq 1 ]] || return 1
    WIN=$ids
}

no_window_titled() {
    [[ -z $(windows_titled "$1") ]]
}

# Sets GX GY GW GH to the client area of the window.
geometry() {
    # shellcheck disable=SC2034 # all set by the eval, only some used
    local WINDOW X Y WIDTH HEIGHT SCREEN
    eval "$(xdotool getwindowgeometry --shell "$1")" || fail "no geometry for window $1"
    GX=$X GY=$Y GW=$WIDTH GH=$HEIGHT
}

expect_size() {
    geometry "$1"
    [[ "${GW}x${GH}" == "$2" ]] || fail "window '$3' is ${GW}x${GH}, expected $2"
    echo "ok: window '$3' is $2"
}

# grab <window> <file>: the window's client area as it is on the screen.
grab() {
    geometry "$1"
    import -window root "$WORK/root.png" || fail "import failed"
    convert "$WORK/root.png" -crop "${GW}x${GH}+${GX}+${GY}" +repage "$2" || fail "crop failed"
}

shot() {
    grab "$1" "$CAPTURES/$2"
    echo "screenshot: $CAPTURES/$2"
}

pixel() {
    convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}

# crop <image> <geometry> <out>
crop() {
    convert "$1" -crop "$2" +repage "$3" || fail "crop of $1 failed"
}

# Number of pixels that differ between two images of the same size.
differing() {
    compare -metric AE -fuzz 3% "$1" "$2" null: 2>&1 | awk '{printf "%d\n", $1}'
}

probe_is() { # <window> <x> <y> <r,g,b>
    grab "$1" "$WORK/probe.png"
    [[ $(pixel "$WORK/probe.png" "$2" "$3") == "$4" ]]
}

probe_is_light() { # <window> <x> <y>: a button or key face
    local rgb
    grab "$1" "$WORK/probe.png"
    rgb=$(pixel "$WORK/probe.png" "$2" "$3")
    awk -F, '{ exit !($1 >= 235 && $2 >= 235 && $3 >= 235) }' <<<"$rgb"
}

expect_pixel() { # <image> <x> <y> <r,g,b> <meaning>
    local got
    got=$(pixel "$1" "$2" "$3")
    [[ $got == "$4" ]] || fail "$5: pixel ($2,$3) is $got, expected $4"
}

click() { # <window> <x> <y> in client coordinates
    check_game_alive
    geometry "$1"
    timeout 10 xdotool mousemove $((GX + $2)) $((GY + $3)) click 1 ||
        fail "xdotool could not click at ($2,$3)"
}

type_text() {
    timeout 20 xdotool type --delay 80 "$1" || fail "xdotool could not type '$1'"
}

# --- what the windows look like --------------------------------------------

BACKGROUND=224,224,224
USED_KEY=192,0,0
CHECK_BOX=128,128,128
PERSO_BOX=0,0,0
WORD_BAND=128,0,0
PICTURE=230x320+12+110
NAME_TEXT=270x24+318+12
PERSO_TEXT=260x20+262+220
WORD_TEXT=400x26+260+252
# Centres of the seven theme check boxes, Check1 to Check7.
CHECK_Y=(112 130 152 168 186 208 226)
CHECK_X=664
SUITE=(628 435)
SUITE_PROBE=(600 435)
declare -A KEY_LEFT=(
    [A]=256 [Z]=288 [E]=320 [R]=352 [T]=384 [Y]=416 [U]=448 [I]=480 [O]=512 [P]=544
    [Q]=272 [S]=304 [D]=336 [F]=368 [G]=400 [H]=432 [J]=464 [K]=496 [L]=528 [M]=560
    [W]=288 [X]=320 [C]=352 [V]=384 [B]=416 [N]=448)
declare -A KEY_TOP=(
    [A]=328 [Z]=328 [E]=328 [R]=328 [T]=328 [Y]=328 [U]=328 [I]=328 [O]=328 [P]=328
    [Q]=360 [S]=360 [D]=360 [F]=360 [G]=360 [H]=360 [J]=360 [K]=360 [L]=360 [M]=360
    [W]=392 [X]=392 [C]=392 [V]=392 [B]=392 [N]=392)

expect_check_boxes() { # <image> <r,g,b for all seven> <meaning>
    local i
    for i in "${!CHECK_Y[@]}"; do
        expect_pixel "$1" "$CHECK_X" "${CHECK_Y[$i]}" "$2" "Check$((i + 1)) $3"
    done
}

expect_used_keys() { # <image> <letter...>: each letter shows its red used-key label
    local image=$1 letter
    shift
    for letter in "$@"; do
        expect_pixel "$image" $((KEY_LEFT[$letter] + 2)) $((KEY_TOP[$letter] + 2)) "$USED_KEY" "used key $letter"
    done
}

expect_differ() { # <image> <image> <message>: the two pictures are not the same
    (($(differing "$1" "$2") > 500)) || fail "$3"
}

suite_absent() {
    grab "$1" "$WORK/suite.png"
    expect_pixel "$WORK/suite.png" "${SUITE_PROBE[@]}" "$BACKGROUND" "no 'Suite' button while the game goes on"
}

# Clicks a letter key, waits for the red label that replaces it, and for the
# picture to change when the letter was a miss.
press() { # <window> <letter> hit|miss
    local win=$1 key=$2 x=${KEY_LEFT[$2]} y=${KEY_TOP[$2]} n
    grab "$win" "$WORK/before.png"
    crop "$WORK/before.png" "$PICTURE" "$WORK/picture-before.png"
    probe_is_light "$win" $((x + 3)) $((y + 3)) || fail "key $key is not there to be clicked"
    click "$win" $((x + 12)) $((y + 13))
    wait_for 5 "key $key did not turn into the red used-key label" probe_is "$win" $((x + 2)) $((y + 2)) "$USED_KEY"
    if [[ $3 == miss ]]; then
        picture_changed() {
            grab "$win" "$WORK/after.png"
            crop "$WORK/after.png" "$PICTURE" "$WORK/picture-after.png"
            n=$(differing "$WORK/picture-before.png" "$WORK/picture-after.png")
            ((n > 100))
        }
        wait_for 5 "the picture did not change after the miss $key" picture_changed
    fi
    echo "ok: key $key used ($3)"
}

# Name already typed or not, Entree, Check7, the own word, op.
start_own_word() { # <window> <word>
    local win=$1 n
    click "$win" 632 25
    wait_for 5 "the check box Check7 did not appear after Entree" probe_is "$win" "$CHECK_X" 226 "$CHECK_BOX"
    grab "$win" "$WORK/themes.png"
    expect_check_boxes "$WORK/themes.png" "$CHECK_BOX" "shown after Entree"
    echo "ok: the seven theme check boxes are shown"
    [[ ${3-} ]] && shot "$win" "$3"
    click "$win" "$CHECK_X" 226
    wait_for 5 "the own-word box Perso did not appear after Check7" probe_is "$win" 262 222 "$PERSO_BOX"
    grab "$win" "$WORK/perso-empty.png"
    type_text "$2"
    typed() {
        grab "$win" "$WORK/perso-typed.png"
        crop "$WORK/perso-empty.png" "$PERSO_TEXT" "$WORK/perso-a.png"
        crop "$WORK/perso-typed.png" "$PERSO_TEXT" "$WORK/perso-b.png"
        n=$(differing "$WORK/perso-a.png" "$WORK/perso-b.png")
        ((n > 30))
    }
    wait_for 5 "typing '$2' left the box Perso empty (has it the focus?)" typed
    click "$win" 544 228
    wait_for 5 "the keyboard did not appear after op" probe_is_light "$win" $((KEY_LEFT[A] + 3)) $((KEY_TOP[A] + 3))
    grab "$win" "$WORK/started.png"
    expect_pixel "$WORK/started.png" 300 265 "$WORD_BAND" "the band of the word to find"
    expect_pixel "$WORK/started.png" "${SUITE_PROBE[@]}" "$BACKGROUND" "no 'Suite' button at the start of a game"
    echo "ok: a game with the word '$2' started"
}

suite_to_replay() {
    click "$1" "${SUITE[@]}"
    wait_for 10 "the replay window '$REPLAY_TITLE' did not appear after Suite" one_window_titled "$REPLAY_TITLE"
    no_window_titled "$MAIN_TITLE" || fail "the main window is still visible after Suite"
    REPLAY=$WIN
    echo "ok: Suite closed the main window and showed the replay window"
    expect_size "$REPLAY" 287x212 "$REPLAY_TITLE"
}

# --- X server and game -------------------------------------------------------

STEP='virtual X server'
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
display_ready() {
    alive "$XVFB_PID" || fail "Xvfb stopped: $(tail -n 5 "$WORK/xvfb.log")"
    grep -q '^[0-9][0-9]*$' "$WORK/display"
}
wait_for 15 "Xvfb gave no display number" display_ready
DISPLAY=:$(head -n 1 "$WORK/display")
export DISPLAY
xwininfo -root >/dev/null || fail "cannot reach the X server on $DISPLAY"
echo "ok: Xvfb on $DISPLAY (pid $XVFB_PID)"

STEP='1-depart'
(cd "$PROGRAM_DIR" && exec "$PROGRAM") >"$WORK/game.log" 2>&1 &
GAME_PID=$!
game_window_up() {
    check_game_alive
    one_window_titled "$MAIN_TITLE"
}
wait_for 30 "the main window '$MAIN_TITLE' did not appear" game_window_up
MAIN=$WIN
no_window_titled "$REPLAY_TITLE" || fail "the replay window is shown at start"
expect_size "$MAIN" 674x456 "$MAIN_TITLE"
shot "$MAIN" 1-depart.png
START=$CAPTURES/1-depart.png
crop "$START" "$PICTURE" "$WORK/picture-start.png"
crop "$START" "$NAME_TEXT" "$WORK/name-empty.png"
expect_pixel "$START" 450 20 255,224,192 "the name box nj"
expect_check_boxes "$START" "$BACKGROUND" "hidden before Entree"
expect_pixel "$START" 262 222 "$BACKGROUND" "no own-word box at start"
probe_pid_windows=$(xdotool search --pid "$GAME_PID" 2>/dev/null | wc -l)

STEP='2-accueil'
click "$MAIN" 450 25
# Typed in two parts to see that the accented letter reaches the box.
type_text "${NAME%é}"
grab "$MAIN" "$WORK/name1.png"
crop "$WORK/name1.png" "$NAME_TEXT" "$WORK/name-plain.png"
type_text é
name_complete() {
    grab "$MAIN" "$WORK/name2.png"
    crop "$WORK/name2.png" "$NAME_TEXT" "$WORK/name-typed.png"
    (($(differing "$WORK/name-empty.png" "$WORK/name-plain.png") > 30)) &&
        (($(differing "$WORK/name-plain.png" "$WORK/name-typed.png") > 10))
}
wait_for 5 "the name '$NAME' did not show in the name box nj" name_complete
echo "ok: '$NAME' typed in the name box, accent included"
start_own_word "$MAIN" ANE 2-accueil.png

STEP='3-partie'
shot "$MAIN" 3-partie.png
crop "$CAPTURES/3-partie.png" "$WORD_TEXT" "$WORK/word-hidden.png"
press "$MAIN" Z miss
crop "$WORK/after.png" "$PICTURE" "$WORK/picture-miss.png"
# A used key is gone: clicking its red label again must not cost a joker.
click "$MAIN" $((KEY_LEFT[Z] + 12)) $((KEY_TOP[Z] + 13))
sleep 1
grab "$MAIN" "$WORK/again.png"
crop "$WORK/again.png" "$PICTURE" "$WORK/picture-again.png"
(($(differing "$WORK/picture-miss.png" "$WORK/picture-again.png") < 50)) ||
    fail "clicking the used key Z again changed the picture"
echo "ok: a second click on the used key Z does nothing"
press "$MAIN" A hit
suite_absent "$MAIN"
press "$MAIN" N hit
suite_absent "$MAIN"
press "$MAIN" E hit

STEP='4-victoire'
wait_for 5 "no 'Suite' button after the word was found" probe_is_light "$MAIN" "${SUITE_PROBE[@]}"
shot "$MAIN" 4-victoire.png
WON=$CAPTURES/4-victoire.png
crop "$WON" "$PICTURE" "$WORK/picture-won.png"
crop "$WON" "$WORD_TEXT" "$WORK/word-found.png"
expect_used_keys "$WON" Z A N E
expect_differ "$WORK/picture-start.png" "$WORK/picture-won.png" "the picture after the win is the start picture"
expect_differ "$WORK/picture-miss.png" "$WORK/picture-won.png" "the picture after the win is the one after the miss"
(($(differing "$WORK/word-hidden.png" "$WORK/word-found.png") > 30)) ||
    fail "the word band did not change when the word was found"
echo "ok: the game is won"

STEP='5-rejouer'
suite_to_replay "$MAIN"
shot "$REPLAY" 5-rejouer.png
probe_is_light "$REPLAY" 60 100 || fail "no OUI button in the replay window"
probe_is_light "$REPLAY" 172 100 || fail "no NON button in the replay window"

STEP='6-defaite'
click "$REPLAY" 84 116
wait_for 10 "no main window after OUI" one_window_titled "$MAIN_TITLE"
MAIN=$WIN
no_window_titled "$REPLAY_TITLE" || fail "the replay window is still visible after OUI"
expect_size "$MAIN" 674x456 "$MAIN_TITLE"
grab "$MAIN" "$WORK/fresh.png"
crop "$WORK/fresh.png" "$PICTURE" "$WORK/picture-fresh.png"
crop "$WORK/fresh.png" "$NAME_TEXT" "$WORK/name-fresh.png"
(($(differing "$WORK/picture-start.png" "$WORK/picture-fresh.png") < 50)) ||
    fail "the new main window does not show the start picture"
(($(differing "$WORK/name-typed.png" "$WORK/name-fresh.png") < 60)) ||
    fail "the new main window does not show '$NAME' in its name box"
expect_check_boxes "$WORK/fresh.png" "$BACKGROUND" "hidden in the new main window"
echo "ok: OUI opened a fresh main window with the name kept"
start_own_word "$MAIN" ZOO
for letter in A E R T Y U; do
    press "$MAIN" $letter miss
    suite_absent "$MAIN"
done
press "$MAIN" I miss
wait_for 5 "no 'Suite' button after the seventh miss" probe_is_light "$MAIN" "${SUITE_PROBE[@]}"
shot "$MAIN" 6-defaite.png
LOST=$CAPTURES/6-defaite.png
crop "$LOST" "$PICTURE" "$WORK/picture-lost.png"
expect_used_keys "$LOST" A E R T Y U I
expect_differ "$WORK/picture-start.png" "$WORK/picture-lost.png" "the picture after the defeat is the start picture"
expect_differ "$WORK/picture-won.png" "$WORK/picture-lost.png" "the picture after the defeat is the victory picture"
echo "ok: the game is lost after seven misses"

STEP='fin'
suite_to_replay "$MAIN"
((probe_pid_windows > 0)) && { [[ -n $(xdotool search --pid "$GAME_PID" 2>/dev/null) ]] ||
    fail "the game's windows are not found by process id"; }
click "$REPLAY" 196 116
end=$((SECONDS + 10))
while alive "$GAME_PID"; do
    ((SECONDS < end)) || fail "the game still runs 10 s after NON"
    sleep 0.1
done
GAME_DONE=1
wait "$GAME_PID"
status=$?
((status == 0)) || fail "the game exited with status $status after NON"
echo "ok: NON ended the game with status 0"
left=$(xdotool search --name 'Gibetto|Continuer' 2>/dev/null)
[[ -z $left ]] || fail "windows of the game remain after NON: $left"
if ((probe_pid_windows > 0)); then
    [[ -z $(xdotool search --pid "$GAME_PID" 2>/dev/null) ]] || fail "windows of the game process remain after NON"
fi
echo "ok: no window of the game remains"

echo "screenshots in $CAPTURES:"
ls -1 "$CAPTURES"/*.png
echo 'e2e_partie: all checks passed'
