#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Releases the commit checked out twice, from two clones in different
# folders, one after the other, under other umasks, time zones and locales
# (and, run as root, as another user, nobody), and checks that both give the
# same SHA256SUMS; when they do not, diffoscope shows what differs in each
# file. The releases and their logs are kept in a temporary folder it names.
# usage: bash scripts/reproductible.sh
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/paquets.sh" "$here/scripts/packages.txt" "$here/scripts/release-packages.txt"
commit=$(git -C "$here" rev-parse HEAD)
travail=$(mktemp -d /var/tmp/gibetto-reproductible.XXXXXX)
chmod 755 "$travail"
# French, its numbers and dates written otherwise, from its own locale folder.
mkdir "$travail/locales"
localedef -i fr_FR -f UTF-8 "$travail/locales/fr_FR.UTF-8"

# <folder> <clone's path under it> <command prefix...>: clones, releases into <folder>/sortie.
publie() {
    local dossier=$travail/$1 clone=$travail/$1/$2
    shift 2
    git clone -q --no-checkout "$here" "$clone" && git -C "$clone" checkout -q --detach "$commit"
    mkdir -p "$dossier/sortie"
    (($(id -u))) || [[ $1 != setpriv ]] || chown -R nobody:nogroup "$dossier"
    "$@" bash "$clone/scripts/release.sh" "$dossier/sortie" >"$dossier/journal" 2>&1 ||
        { cat "$dossier/journal" >&2; echo "reproductible.sh: the release in $clone failed" >&2; exit 1; }
}
publie un gibetto env TZ=UTC LC_ALL=C.UTF-8 bash -c 'umask 022 && exec "$@"' -
autre=(env HOME="$travail/deux" TZ=Pacific/Kiritimati LOCPATH="$travail/locales" LC_ALL=fr_FR.UTF-8 bash -c 'umask 077 && exec "$@"' -)
(($(id -u))) || autre=(setpriv --reuid=nobody --regid=nogroup --clear-groups "${autre[@]}")
publie deux "un dossier bien plus long/où l'on publie" "${autre[@]}"

if cmp -s "$travail"/{un,deux}/sortie/SHA256SUMS; then
    echo "reproductible.sh: the two releases of $commit are the same:"
    cat "$travail/un/sortie/SHA256SUMS"
    rm -rf "$travail"
    exit 0
fi
echo "reproductible.sh: the two releases of $commit differ" >&2
diff "$travail"/{un,deux}/sortie/SHA256SUMS >&2 || true
while read -r _ fichier; do
    cmp -s "$travail"/{un,deux}/sortie/"$fichier" || diffoscope --text - "$travail"/{un,deux}/sortie/"$fichier" >&2 || true
done <"$travail/un/sortie/SHA256SUMS"
echo "reproductible.sh: both releases are in $travail" >&2
exit 1
