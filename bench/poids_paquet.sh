#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# What installing the game's Debian package brings onto a minimal Debian:
# its Depends followed recursively (Recommends and Suggests left out), minus
# what every system of priority required and important already has; prints
# the number of packages and their installed size. Judges nothing.
# usage: bash bench/poids_paquet.sh [gibetto_*.deb]   (made by: cd build && cpack -G DEB)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
DEB=${1:-$(ls "$here"/build/gibetto_*.deb 2>/dev/null | head -n 1)}
[[ -f $DEB ]] || { echo "poids_paquet.sh: no package: cd build && cpack -G DEB" >&2; exit 2; }

# closure <package>...: every package they need, each once.
closure() {
    apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
        --no-breaks --no-replaces --no-enhances "$@" | grep '^[a-z0-9]' | sort -u
}
# The first choice of each dependency, without its version.
depends=$(dpkg-deb -f "$DEB" Depends | tr ',' '\n' | sed 's/|.*//; s/(.*)//; s/ //g')
base=$(apt-cache dumpavail | awk '/^Package:/ { p = $2 } /^Priority: (required|important)$/ { print p }' | sort -u)
brought=$(comm -23 <(closure $depends) <(closure $base))
mib=$(apt-cache show --no-all-versions $brought | awk '/^Installed-Size:/ { s += $2 } END { printf "%.0f", s / 1024 }')
echo "$(basename "$DEB"): $(wc -l <<<"$brought") packages, $mib MiB installed"
