#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Releases the commit checked out into the folder OUT:
#   gibetto-VERSION.tar.gz              the tracked files, in gibetto-VERSION/
#   gibetto_VERSION_ARCH.deb            the Debian package
#   gibetto-VERSION-linux-ARCH.tar.gz   the portable folder, bin/gibetto inside
#   capture.png                         the screenshot the AppStream record names
#   SHA256SUMS
# The version is dist/changelog's. The package and the portable folder are
# built from the source tarball unpacked in a temporary folder, so that it is
# known to be complete, with Debian's build flags, which map that folder
# away. Every date is the last commit's (SOURCE_DATE_EPOCH): the same commit
# gives the same files bit for bit, whatever the folder, the clock, the user,
# the umask, the time zone or the locale: scripts/reproductible.sh checks it.
# usage: bash scripts/release.sh OUT
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
(($# == 1)) || { echo "usage: bash scripts/release.sh OUT" >&2; exit 2; }
bash "$here/scripts/paquets.sh" "$here/scripts/packages.txt" "$here/scripts/release-packages.txt"
git -C "$here" diff --quiet HEAD ||
    { echo "release.sh: the tree differs from its last commit, which is what a release holds: commit first" >&2; exit 1; }
# cpack makes the package's folders and its archive's members as the umask
# allows, whatever the install says: under 077, 700 and 600.
umask 022
mkdir -p "$1"
out=$(cd "$1" && pwd)
version=$(dpkg-parsechangelog -l "$here/dist/changelog" -S Version)
export SOURCE_DATE_EPOCH=$(git -C "$here" log -1 --format=%ct)

source=gibetto-$version.tar.gz
git -C "$here" -c tar.umask=0022 archive --format=tar --prefix="gibetto-$version/" HEAD | gzip -9n >"$out/$source"
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
tar -xzf "$out/$source" -C "$travail"
cd "$travail/gibetto-$version"
# Debian's flags, hardening and -ffile-prefix-map for this folder: without
# the map, the folder's path changed the program's build id.
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" LDFLAGS=$(dpkg-buildflags --get LDFLAGS) \
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
cmake --build build >/dev/null
cpack -G DEB --config build/CPackConfig.cmake -B "$travail/deb" >/dev/null
cp "$travail"/deb/gibetto_*.deb "$out/"
portable=$(bash scripts/portable.sh build "$out")
cp dist/capture.png "$out/"
cd "$out"
sha256sum "$source" "$(basename "$travail"/deb/gibetto_*.deb)" "$(basename "$portable")" capture.png >SHA256SUMS
cat SHA256SUMS
