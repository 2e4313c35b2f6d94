#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Every file of the source states its licence and copyright in REUSE's
# manner, as `reuse lint` reads them: in a clone, the files git
# does not ignore; in a source tarball's tree, those outside the folders
# .gitignore names, where the builds are.
# usage: licences.sh <source folder>
set -u -o pipefail
SOURCE=$1
command -v reuse >/dev/null || { echo "LICENCE FAILURE: 'reuse' is missing: install the packages of scripts/test-packages.txt" >&2; exit 1; }
[[ $(git -C "$SOURCE" rev-parse --show-toplevel 2>/dev/null) == "$SOURCE" ]] && exec reuse --root "$SOURCE" lint
COPIE=$(mktemp -d) && trap 'rm -rf "$COPIE"' EXIT
tar -C "$SOURCE" $(sed -n 's|^/\(.*\)/$|--exclude=./\1|p' "$SOURCE/.gitignore") -cf - . | tar -xf - -C "$COPIE"
reuse --root "$COPIE" lint
