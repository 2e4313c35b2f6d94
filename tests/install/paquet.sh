#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Unpacks Gibetto's portable folder and its Debian package, validates both, then starts each
# copy as the menu does, from an empty home folder: it must find its pictures through its own folder.
set -u -o pipefail
# usage: paquet.sh <build folder> <captures folder> <seance.txt> <desert@2x.bmp> <0@2x.bmp> <the game's id>
BUILD=$1 CAPTURES=$2 SEANCE=$3 DOUBLES=("$4" "$5") ID=$6
fail() { echo "INSTALL FAILURE: $*" >&2; exit 1; }
WORK='' WESTON='' && trap '[[ -n $WESTON ]] && kill $WESTON; [[ -n $WORK ]] && chmod -R u+w "$WORK" && rm -rf "$WORK"' EXIT
for tool in desktop-file-validate appstreamcli lintian dpkg-deb cpack identify readelf weston; do
    command -v "$tool" >/dev/null || fail "'$tool' is missing: install the packages of scripts/test-packages.txt"; done
WORK=$(mktemp -d) && mkdir -p "$WORK/home" "$WORK/run" "$CAPTURES" && chmod 700 "$WORK/run" || fail "mktemp failed"
export HOME=$WORK/home XDG_RUNTIME_DIR=$WORK/run

# The portable folder (cmake's install tree), read-only: as root, played without the powers that would write there.
tar -xzf "$(bash "$(dirname "$0")/../../scripts/portable.sh" "$BUILD" "$WORK/tgz")" -C "$WORK" || fail "no portable folder"
mv "$WORK"/gibetto-*/ "$WORK/usr" && chmod -R a-w "$WORK/usr" || fail "cannot move the portable folder"
AS_USER=() && (($(id -u))) || AS_USER=(setpriv --inh-caps=-all --bounding-set=-all)
desktop-file-validate "$WORK/usr/share/applications/$ID.desktop" || fail "the desktop entry is not valid"
appstreamcli validate --pedantic --no-net "$WORK/usr/share/metainfo/$ID.metainfo.xml" || fail "the metainfo has errors or warnings"
for n in 16 22 24 32 48 64 128 256; do icon=$WORK/usr/share/icons/hicolor/${n}x$n/apps/$ID.png
    [[ $(identify -format %wx%h "$icon") == "${n}x$n" ]] || fail "no $n px icon at $icon"; done
cpack -G DEB --config "$BUILD/CPackConfig.cmake" -B "$WORK/deb" | tail -n 1 || fail "cpack failed"
DEB=$(echo "$WORK"/deb/gibetto_*.deb)
lintian --fail-on warning "$DEB" || fail "lintian finds errors or warnings in $DEB"
for dep in libqt6widgets6 libopenal1 libsndfile1 qt6-qpa-plugins fonts-liberation2 fonts-dancingscript fonts-lato; do
    dpkg-deb -f "$DEB" Depends | grep -qw "$dep" || fail "the package does not depend on $dep"; done
dpkg-deb -x "$DEB" "$WORK/root" || fail "cannot unpack $DEB"
# No run path: the loader would look for Qt in the game's folder, or in the current one, first.
for program in "$BUILD/bin/gibetto" "$WORK/usr/bin/gibetto" "$WORK/root/usr/games/gibetto"; do
    readelf -d "$program" | grep -q 'R[UN]*PATH' && fail "$program has a run path"; done

# The window's Wayland app_id is the menu entry's id, under a private headless weston (with
# qt6-wayland), and its X11 class the entry's StartupWMClass.
ENTRY=$WORK/usr/share/applications/$ID.desktop
weston --backend=headless-backend.so --socket=gibetto --idle-time=0 --no-config >"$WORK/weston.log" 2>&1 &
WESTON=$!
until [[ -S $XDG_RUNTIME_DIR/gibetto ]]; do kill -0 $WESTON || fail "weston does not start: $(tail -n 3 "$WORK/weston.log")"; sleep 0.1; done
WAYLAND_DISPLAY=gibetto QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client timeout 10 "$WORK/usr/bin/gibetto" >"$WORK/wayland.log" 2>&1
grep -q "set_app_id(\"$ID\")" "$WORK/wayland.log" || fail "the game's Wayland app_id is not $ID"
export WM_CLASS=$(sed -n 's/^StartupWMClass=//p' "$ENTRY")
# Each copy played whole under Xvfb by its menu entry's command, the portable one at
# scale 1, the package's double-size pictures at 2; e2e_partie plays every scale.
for copy in "$WORK/usr/bin:1" "$WORK/root/usr/games:2"; do
    scale=${copy##*:} copy=${copy%:*}
    "${AS_USER[@]}" env GIBETTO_ECHELLES="$scale" bash "$(dirname "$0")/../e2e/partie.sh" "$copy/$(sed -n 's/^Exec=//p' "$copy/../share/applications/$ID.desktop")" \
        "$SEANCE" "$CAPTURES/$(basename "$copy")" "${DOUBLES[@]}" || fail "the game from $copy does not play"
done
