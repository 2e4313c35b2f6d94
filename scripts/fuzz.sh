#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Olaf Pirvec <olaf.pirvec@gibetto.fr>
# SPDX-License-Identifier: GPL-3.0-or-later
# Fuzzes the game's own reading of sounds and pictures for that many seconds
# (60 unless told): libFuzzer from Debian's clang with the address and
# undefined-behaviour sanitizers, built in build-fuzz, from seeds in every
# format a teacher may use, written there. The inputs it finds worth
# keeping stay in build-fuzz/corpus; a crash, a sanitizer's report, a leak
# or a timeout fails it, the input kept as build-fuzz/crash-*, leak-* or
# timeout-*.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
secondes=${1:-60}
fuzz=$here/build-fuzz
etape() { echo "fuzz.sh: $1 at $((SECONDS / 60)) min $((SECONDS % 60)) s"; }
bash "$here/scripts/paquets.sh" "$here/scripts/packages.txt" "$here/scripts/fuzz-packages.txt" >/dev/null
cmake -S "$here" -B "$fuzz" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
ninja -C "$fuzz" fuzz_lecture
# 50 ms of a tone in 16-bit WAV, then in every other encoding and format.
g=$fuzz/graines
rm -rf "$g" && mkdir -p "$g" "$fuzz/corpus"
python3 -c 'import sys, wave, math
w = wave.open(sys.argv[1], "wb"); w.setnchannels(1); w.setsampwidth(2); w.setframerate(8000)
w.writeframes(b"".join(int(9000 * math.sin(i / 3)).to_bytes(2, "little", signed=True) for i in range(400)))' "$g/16.wav"
for codage in pcmu8 pcm24 pcm32 float32 float64 ulaw alaw ima-adpcm ms-adpcm; do
    sndfile-convert -$codage "$g/16.wav" "$g/$codage.wav"
done
for suffixe in flac ogg opus mp3; do
    sndfile-convert "$g/16.wav" "$g/son.$suffixe"
done
sndfile-interleave "$g/16.wav" "$g/16.wav" -o "$g/stereo.wavex"
sndfile-interleave "$g/16.wav" "$g/16.wav" "$g/16.wav" "$g/16.wav" -o "$g/quatre-canaux.wav"
for suffixe in bmp png jpg gif ico; do
    convert -size 16x16 gradient:navy-gold "$g/image.$suffixe"
done
convert -size 16x16 gradient:navy-gold -type palette BMP3:"$g/palette.bmp"
convert -size 16x16 gradient:navy-gold -monochrome "$g/noir-et-blanc.bmp"
etape "built, $(ls "$g" | wc -l) seeds"
cd "$fuzz"
# Each input within 10 s and 2 GB. libmpg123 and libpng report each spoilt
# file on stderr, thousands of lines: they are kept in fuzz.log.
"$fuzz/bin/fuzz_lecture" -max_total_time="$secondes" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 corpus "$g" \
    >"$fuzz/fuzz.log" 2>&1 || { tail -n 80 "$fuzz/fuzz.log"; exit 1; }
grep -E '^#[0-9]+\s+DONE|^stat::(number_of_executed|peak_rss)' "$fuzz/fuzz.log"
etape "fuzzed for $secondes s"
