#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up what is missing, builds, and starts the game.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/scripts/packages.txt"
# The game looks for its pictures and sounds in the current directory first.
cd "$here/build/bin"
exec ./gibetto
