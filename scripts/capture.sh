#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes dist/capture.png, the screenshot the AppStream record names, from the
# real game under a private virtual X server: a game in progress, its word
# half found and the hangman begun, the window at scale 1.5 in the middle of
# a transparent 1248 x 702, twice the 624 x 351 AppStream advises (16:9).
# The controls' places are read in tests/seance.txt, as the e2e test reads
# them. Run it again, and look at the picture, when the windows change.
# usage: bash scripts/capture.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/setup.sh" "$here/scripts/packages.txt" "$here/scripts/test-packages.txt" >/dev/null
SEANCE=$here/tests/seance.txt S=1.5 LARGEUR=1248 HAUTEUR=702
TITRE=$(sed -n 's/^Pendu "\(.*\)" [0-9]*x[0-9]* .*/\1/p' "$SEANCE" | head -n 1)
declare -A AT # a control's centre in the window at scale 1
while read -r name xy wh _; do
    [[ "$xy $wh" =~ ^([0-9]+),([0-9]+)\ ([0-9]+)x([0-9]+)$ ]] || continue
    r=("${BASH_REMATCH[@]}")
    AT[$name]="$((r[1] + r[3] / 2)) $((r[2] + r[4] / 2))"
done <"$SEANCE"

travail=$(mktemp -d) xvfb='' jeu=''
trap '[[ -n $jeu ]] && kill $jeu; [[ -n $xvfb ]] && kill $xvfb; rm -rf "$travail"' EXIT
mkdir -p "$travail/home" "$travail/run" && chmod 700 "$travail/run"
export HOME=$travail/home XDG_RUNTIME_DIR=$travail/run LANG=C.UTF-8 LC_ALL=C.UTF-8
unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_CONFIG_HOME XDG_DATA_HOME QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$travail/display" 2>"$travail/xvfb.log" &
xvfb=$!
until grep -q '^[0-9]' "$travail/display"; do kill -0 $xvfb; sleep 0.1; done
export DISPLAY=:$(head -n 1 "$travail/display")

# From an empty folder, so that no teacher's picture is taken.
(cd "$HOME" && exec env QT_SCALE_FACTOR=$S "$here/build/bin/gibetto") >"$travail/jeu.log" 2>&1 &
jeu=$!
for _ in $(seq 150); do
    WIN=$(xdotool search --onlyvisible --name "^$TITRE\$" 2>/dev/null | head -n 1) && [[ -n $WIN ]] && break
    sleep 0.2
done
[[ -n $WIN ]] || { cat "$travail/jeu.log" >&2; echo "capture.sh: no window '$TITRE'" >&2; exit 1; }
clique() {
    local x y X Y
    read -r x y <<<"${AT[Pendu.$1]:?no place for $1}"
    eval "$(xdotool getwindowgeometry --shell "$WIN")"
    xdotool mousemove $(awk "BEGIN { print int($X + $S * $x), int($Y + $S * $y) }") click 1
    sleep 0.3
}
clique nj && xdotool type --delay 60 'Zoé'
clique Entree && clique Check7 && xdotool type --delay 60 'GIRAFE'
clique op
for lettre in E O A S I U R; do clique $lettre; done
# The pointer out of the window, a moment for the last picture.
xdotool mousemove 0 0 && sleep 0.5
import -window "$WIN" "$travail/fenetre.png"
convert "$travail/fenetre.png" -background none -gravity center -extent ${LARGEUR}x$HAUTEUR \
    -strip -define png:exclude-chunks=date,time "$here/dist/capture.png"
echo "capture.sh: $here/dist/capture.png, $(identify -format '%wx%h' "$here/dist/capture.png")"
