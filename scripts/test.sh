#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up what is missing, builds, and runs every test once in build; then
# the tests that run the game's own code (label "jeu") again in build-san,
# with the address and undefined-behaviour sanitizers, where any report fails
# the test it comes from; then the benchmarks (label "bench"), alone; and
# last the time each test took, longest first.
# Most tests spend their time waiting for a window, a sound or a server, and
# each starts its own: ctest runs them side by side, and build-san is built
# meanwhile. The timed ones run with nothing beside them.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
etape() { echo "test.sh: $1 at $((SECONDS / 60)) min $((SECONDS % 60)) s"; }
"$here/scripts/setup.sh" "$here/scripts/packages.txt" "$here/scripts/test-packages.txt"
etape "build built"
cmake -S "$here" -B "$here/build-san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGIBETTO_SANITIZE=ON >/dev/null
san=$here/build-san/construction.log
ninja -C "$here/build-san" gibetto tst_partie tst_fenetres tst_machine tst_lecture >"$san" 2>&1 &
construction=$!
trap 'kill $construction 2>/dev/null || true' EXIT
side_by_side=(--output-on-failure --parallel 5)

cd "$here/build"
ctest "${side_by_side[@]}" --label-exclude bench --output-junit Testing/durees.xml "$@"
etape "tests done in build"
wait $construction || { cat "$san"; exit 1; }
etape "build-san built"

cd "$here/build-san"
# The same seeds' random walks further than in build, where they take
# 1,000 actions: the sanitizers see more of what the walk does. The real
# game at a fractional scale and at the double one, which reads the
# double-size pictures; build plays every scale. Room for QTest's watchdog:
# everything runs several times slower here. The suppressions are all
# leaks, which only LeakSanitizer reads: AddressSanitizer refuses a file
# holding "leak:" lines.
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS=suppressions=$here/tests/sanitizers.supp \
GIBETTO_FUZZ_ACTIONS=1500 GIBETTO_ECHELLES="1.25 2" QTEST_FUNCTION_TIMEOUT=1200000 \
    ctest "${side_by_side[@]}" --label-regex jeu --timeout 1500 --output-junit Testing/durees.xml "$@"

etape "tests done in build-san"
cd "$here/build"
ctest --output-on-failure --label-regex bench --output-junit Testing/durees-bench.xml "$@"
etape "benchmarks done"
bash "$here/bench/durees.sh" "$here/build" "$here/build-san"
