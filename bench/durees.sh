#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# The time each test took in the last run of scripts/test.sh, longest first,
# with its build folder: the next slow one shows at the top. Read from the
# JUnit files ctest wrote in each folder's Testing/. Judges nothing.
# usage: bash bench/durees.sh [build folder...]
set -u -o pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
(($#)) || set -- "$here/build" "$here/build-san"
for build in "$@"; do
    for junit in "$build"/Testing/durees*.xml; do
        [[ -f $junit ]] || continue
        sed -n 's/^\s*<testcase name="\([^"]*\)".* time="\([0-9.]*\)".*/\2 \1/p' "$junit" |
            awk -v b="$(basename "$build")" '{ printf "%8.1f s  %s  %s\n", $1, b, $2 }'
    done
done | sort -rn
