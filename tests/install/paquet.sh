#!/usr/bin/env bash
# Installs Gibetto with cmake --install and as a Debian package, validates both, then starts each
# copy as the menu does, from an empty home folder: it must find its pictures through its own folder.
set -u -o pipefail
BUILD=${1:?usage: paquet.sh <build folder> <captures folder>} CAPTURES=${2:?usage: paquet.sh <build> <captures>}
TITLE='Gibetto - Vocabulaire et orthographe -  Olaf PIRVEC' ID=fr.gibetto.Gibetto DESERT=147,220,255
fail() { echo "INSTALL FAILURE: $*" >&2; tail -n 20 "$WORK/game.log" >&2 2>/dev/null; exit 1; }
stop() { [[ -n $1 ]] && kill "$1" 2>/dev/null && wait "$1" 2>/dev/null; return 0; }
WORK='' XVFB='' GAME='' && trap 'stop "$GAME"; stop "$XVFB"; [[ -n $WORK ]] && rm -rf "$WORK"' EXIT
for tool in desktop-file-validate appstreamcli lintian dpkg-deb cpack Xvfb xdotool import identify python3; do
    command -v "$tool" >/dev/null || fail "'$tool' is missing: install the packages of scripts/test-packages.txt"; done
WORK=$(mktemp -d) && mkdir -p "$WORK/home" "$WORK/run" "$CAPTURES" && chmod 700 "$WORK/run" || fail "mktemp failed"
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

cmake --install "$BUILD" --prefix "$WORK/usr" >/dev/null || fail "cmake --install failed"
desktop-file-validate "$WORK/usr/share/applications/$ID.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$WORK/usr/share/metainfo/$ID.metainfo.xml" || fail "the metainfo is not valid"
for n in 16 22 24 32 48 64 128 256; do icon=$WORK/usr/share/icons/hicolor/${n}x$n/apps/$ID.png
    [[ $(identify -format %wx%h "$icon") == "${n}x$n" ]] || fail "no $n px icon at $icon"; done
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/deb" | tail -n 1 || fail "cpack failed"
DEB=$(echo "$WORK"/deb/gibetto_*.deb)
lintian --fail-on error "$DEB" || fail "lintian finds errors in $DEB"
for dep in libqt6widgets6 qt6-qpa-plugins fonts-liberation2 fonts-dancingscript fonts-lato libqt6multimedia6; do
    dpkg-deb -f "$DEB" Depends | grep -qw "$dep" || fail "the package does not depend on $dep"; done
dpkg-deb -x "$DEB" "$WORK/root" || fail "cannot unpack $DEB"

within() { local end=$((SECONDS + $1)); shift; until "$@"; do ((SECONDS < end)) || return 1; sleep 0.2; done; }
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$WORK/display" 2>"$WORK/xvfb.log" &
XVFB=$!
within 10 test -s "$WORK/display" && export DISPLAY=:$(head -n 1 "$WORK/display") ||
    fail "no virtual X server: $(tail -n 3 "$WORK/xvfb.log")"

pixel() { # <x> <y> in the client area of $win, as r,g,b
    eval "$(xdotool getwindowgeometry --shell "$win")"
    import -window root -crop "1x1+$((X + $1))+$((Y + $2))" txt:- | sed -n 's/.*(\([0-9]*,[0-9]*,[0-9]*\)).*/\1/p'
}
desert() { [[ $(pixel 60 120) == "$DESERT" ]]; }
hangman() { rgb=$(pixel 60 120); [[ $rgb != "$DESERT" && ${rgb##*,} -gt 230 ]] && ! xdotool search --name 'Image introuvable'; }
play() { # <copy> <folder of the program>: the Exec line of the desktop entry, from the home folder
    local command; command=$(sed -n 's/^Exec=//p' "$2/../share/applications/$ID.desktop")
    (cd "$HOME" && PATH=$2:$PATH exec timeout 60 $command) >"$WORK/game.log" 2>&1 &
    GAME=$!
    win=$(timeout 30 xdotool search --sync --name "^$TITLE\$" | head -n 1) && [[ -n $win ]] || fail "$1: no main window"
    within 5 desert || fail "$1: no desert in the picture box (pixel $(pixel 60 120))"
    import -window "$win" "$CAPTURES/$1.png" || fail "$1: no screenshot"
    eval "$(xdotool getwindowgeometry --shell "$win")"
    for xy in 632,25 664,112 268,341; do # Entree, the first theme, the key A
        xdotool mousemove $((X + ${xy%,*})) $((Y + ${xy#*,})) click 1 && sleep 0.5; done
    within 5 hangman || fail "$1: no hangman picture from the data folder after a key (pixel $rgb)"
    # What a window manager's close button does: send WM_DELETE_WINDOW to the window.
    python3 -c 'import ctypes as c, sys
x = c.CDLL("libX11.so.6"); x.XOpenDisplay.restype, x.XInternAtom.restype = c.c_void_p, c.c_ulong
d = c.c_void_p(x.XOpenDisplay(None)); atom = lambda name: x.XInternAtom(d, name, 0)
e = (c.c_long * 24)()  # XClientMessageEvent: type, serial, send_event, display, window, message type, format, data
e[0], e[4], e[5], e[6], e[7] = 33, int(sys.argv[1]), atom(b"WM_PROTOCOLS"), 32, atom(b"WM_DELETE_WINDOW")
x.XSendEvent(d, c.c_ulong(e[4]), 0, 0, e); x.XFlush(d)' "$win" || fail "$1: cannot ask the window to close"
    wait "$GAME"; status=$? GAME=''
    ((status == 0)) || fail "$1: the game ended with status $status when its window was closed"
    echo "ok: $1 started from $HOME, found its pictures (sky $rgb) and ended with status 0"
}
play installe "$WORK/usr/bin"
play paquet "$WORK/root/usr/games"
