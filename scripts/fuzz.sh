#!/usr/bin/env bash
# Fuzzes the game's own reading of sounds and pictures for that many seconds
# (60 unless told): libFuzzer from Debian's clang with the address and
# undefined-behaviour sanitizers, built in build-fuzz, from seeds in every
# format a teacher may use, generated there. The inputs it finds worth
# keeping stay in build-fuzz/corpus; a crash, a sanitizer's report or a leak
# fails it, the input kept as build-fuzz/crash-* or leak-*.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
secondes=${1:-60}
fuzz=$here/build-fuzz
etape() { echo "fuzz.sh: $1 at $((SECONDS / 60)) min $((SECONDS % 60)) s"; }
"$here/scripts/setup.sh" "$here/scripts/fuzz-packages.txt" >/dev/null
cmake -S "$here/tests/fuzz" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
ninja -C "$fuzz"
rm -rf "$fuzz/graines"
"$fuzz/ecrit_graines" "$fuzz/graines"
mkdir -p "$fuzz/corpus"
etape "built, $(ls "$fuzz/graines" | wc -l) seeds"
cd "$fuzz"
# Each input within 10 s and 2 GB.
"$fuzz/fuzz_lecture" -max_total_time="$secondes" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    corpus graines
etape "fuzzed for $secondes s"
