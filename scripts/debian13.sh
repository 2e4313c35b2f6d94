#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the README's test command in a fresh Debian 13 ("trixie") root made
# with mmdebstrap from this machine's own Debian mirror; then installs there
# the Debian package built here, on Debian 12, and plays a whole game on the
# installed program, its pictures and sound found. As root: mmdebstrap and
# the mounts need it.
# usage: bash scripts/debian13.sh [arguments for ctest, as scripts/test.sh takes them]
# The root gets its own /proc, /dev/pts and /dev/shm in a mount and process
# namespace of its own: they, and every process left there, go with it when
# the run ends, however it ends; the root is then removed. The packages'
# files are kept in /var/cache/gibetto-debian13 for the next root, made anew
# all the same: apt checks each against the mirror's index.
# For manual runs, name a folder: the root is made there the first time and
# kept, then used again as it is, with this tree copied in anew beside its
# build folders, e.g. for the Orca test alone:
#   sudo GIBETTO_DEBIAN13=/var/tmp/trixie bash scripts/debian13.sh -R e2e_orca
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
etape() { echo "debian13.sh: $1 at $((SECONDS / 60)) min $((SECONDS % 60)) s"; }
if (($(id -u))); then
    echo "debian13.sh: run it as root (sudo bash scripts/debian13.sh): mmdebstrap and the mounts need it" >&2
    exit 1
fi
command -v mmdebstrap >/dev/null || { apt-get update -q && apt-get install -y -q --no-install-recommends mmdebstrap; }

travail=$(mktemp -d /var/tmp/gibetto-debian13.XXXXXX) && chmod 755 "$travail"
racine=${GIBETTO_DEBIAN13:-$travail/racine}
trap 'rm -rf --one-file-system "$travail"' EXIT
# The package of this machine's build, as scripts/test.sh left it.
"$here/scripts/setup.sh" "$here/scripts/packages.txt" "$here/scripts/test-packages.txt" >/dev/null
cpack -G DEB --config "$here/build/CPackConfig.cmake" -B "$travail/deb" >/dev/null

# <command...> run as root in the root, in a fresh environment.
dedans() {
    unshare --mount --pid --kill-child --mount-proc="$racine/proc" bash -c '
        mount -t devpts -o newinstance,ptmxmode=0666 devpts "$0/dev/pts" &&
        mount -t tmpfs -o mode=1777 shm "$0/dev/shm" &&
        exec chroot "$0" env -i HOME=/root LANG=C.UTF-8 PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"' \
        "$racine" "$@"
}
miroir() { apt-get indextargets --format '$(REPO_URI)' 'IDENTIFIER: Packages' "LABEL: $1" | head -n 1; }
if [[ ! -e $racine/etc/debian_version ]]; then
    debian=$(miroir Debian)
    securite=$(miroir Debian-Security)
    sources=("deb $debian trixie main" "deb $debian trixie-updates main")
    [[ -z $securite ]] || sources+=("deb $securite trixie-security main")
    cache=/var/cache/gibetto-debian13
    mkdir -p "$cache"
    # What the test command would install, installed with the root: one
    # download and one unpacking; without manual pages and documents, and
    # without syncing each file, a root thrown away. strace shows which files
    # the game finds.
    paquets=$(grep -hv '^\(#.*\)\?$' "$here/scripts/packages.txt" "$here/scripts/test-packages.txt" | paste -sd ,)
    unshare --mount mmdebstrap --variant=apt --include="$paquets,strace" --skip=download/empty --skip=essential/unlink \
        --dpkgopt=force-unsafe-io --dpkgopt='path-exclude=/usr/share/man/*' --dpkgopt='path-exclude=/usr/share/doc/*' \
        --setup-hook='mkdir -p "$1"/var/cache/apt/archives' --setup-hook="sync-in $cache /var/cache/apt/archives" \
        --customize-hook="rm -f $cache/*.deb" --customize-hook="sync-out /var/cache/apt/archives $cache" \
        trixie "$racine" "${sources[@]}"
fi
etape "root made"

# This tree, as a clone would have it, and the package.
mkdir -p "$racine/root/gibetto"
find "$racine/root/gibetto" -mindepth 1 -maxdepth 1 ! -name 'build*' -exec rm -rf {} +
git -C "$here" ls-files -z --cached --others --exclude-standard |
    tar -C "$here" --null -T - --ignore-failed-read -cf - | tar -C "$racine/root/gibetto" -xf -
cp "$travail"/deb/gibetto_*.deb "$racine/tmp/gibetto.deb"
dedans bash /root/gibetto/scripts/test.sh "$@"
etape "test command done"

# The Debian 12 package installed over Debian 13's libraries, and played as
# e2e_partie plays the build's program, at scales 1, 2, 1.25 and 1.5.
dedans env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --reinstall /tmp/gibetto.deb >/dev/null
rm -f "$racine/tmp/fichiers.log"
cat >"$racine/tmp/gibetto-vu" <<'EOF'
#!/bin/sh
exec strace -f -qq -z -I 2 --kill-on-exit -e trace=%file -A -o /tmp/fichiers.log /usr/games/gibetto "$@"
EOF
chmod +x "$racine/tmp/gibetto-vu"
build=/root/gibetto/build
dedans bash /root/gibetto/tests/e2e/partie.sh /tmp/gibetto-vu /root/gibetto/tests/seance.txt /tmp/captures \
    $build/assets/integres/desert@2x.bmp $build/bin/0@2x.bmp
grep -qF '"/usr/share/gibetto/Bravo.wav"' "$racine/tmp/fichiers.log" ||
    { echo "debian13.sh: the installed game did not find its sound" >&2; exit 1; }
etape "the Debian 12 package played"
