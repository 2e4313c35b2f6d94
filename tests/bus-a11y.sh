#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command on a private session bus that has the accessibility bus, as
# a desktop session has it; fails when dbus or at-spi2-core is missing.
# usage: bus-a11y.sh <command...>
[[ -n ${BUS_A11Y:-} ]] || exec env BUS_A11Y=1 dbus-run-session -- bash "$0" "$@"
launcher=/usr/libexec/at-spi-bus-launcher
[[ -x $launcher ]] || { echo "bus-a11y.sh: $launcher is missing: install at-spi2-core" >&2; exit 1; }
# It reads its settings' schemas from the system's data folders.
XDG_DATA_DIRS=/usr/local/share:/usr/share "$launcher" >/dev/null &
bus=$!
trap 'kill "$bus"' EXIT
"$@"
