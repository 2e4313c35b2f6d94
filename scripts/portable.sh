#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the portable folder of a build, a folder that plays wherever it is
# unpacked, its program in bin/: gibetto-VERSION-linux-ARCH.tar.gz, in OUT.
# It is cmake's install tree, stripped, archived by GNU tar as every release
# archive is, the same bit for bit from any folder, user or umask: members
# sorted by name, owned by root, open to all to read, dated
# SOURCE_DATE_EPOCH when set. cpack -G TGZ wrote its files' owners and
# folders' order as it found them.
# usage: bash scripts/portable.sh BUILD OUT
set -euo pipefail
build=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
nom=gibetto-$version-linux-$(dpkg --print-architecture)
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
cmake --install "$build" --prefix "$dossier/$nom" --strip >/dev/null
tar -C "$dossier" --sort=name --format=gnu --owner=0 --group=0 --numeric-owner --mode=u+rw,go=rX \
    --mtime=@"${SOURCE_DATE_EPOCH:-$(date +%s)}" -cf - "$nom" | gzip -9n >"$out/$nom.tar.gz"
echo "$out/$nom.tar.gz"
