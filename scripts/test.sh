#!/usr/bin/env bash
# Sets up what is missing, builds, and runs every test; then the same again
# in build-san with the address and undefined-behaviour sanitizers, where any
# report fails the test it comes from.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh" "$here/scripts/packages.txt" "$here/scripts/test-packages.txt"
cd "$here/build"
ctest --output-on-failure "$@"

supp=$here/tests/sanitizers.supp
cmake -S "$here" -B "$here/build-san" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGIBETTO_SANITIZE=ON >/dev/null
cmake --build "$here/build-san"
cd "$here/build-san"
# Half the fuzz walk, and room for QTest's watchdog: everything runs
# several times slower here. The suppressions are all leaks, which only
# LeakSanitizer reads: AddressSanitizer refuses a file holding "leak:" lines.
ASAN_OPTIONS=halt_on_error=1:detect_leaks=1 \
UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
LSAN_OPTIONS=suppressions=$supp \
GIBETTO_FUZZ_ACTIONS=2500 QTEST_FUNCTION_TIMEOUT=1200000 \
    ctest --output-on-failure --timeout 1500 "$@"
