#!/usr/bin/env bash
# Fuzzes the board file reader and writer with libFuzzer.
# Usage: tools/fuzz-board.sh [seconds]      (default 30)
# Needs clang and libclang-rt-14-dev (or the libFuzzer runtime of the clang in use).
# Builds in $WORDNEST_FUZZ_BUILD (default build-fuzz/); a crash leaves its input
# there as crash-* and makes the script fail.
set -euo pipefail

. "$(dirname "$0")/fuzz-common.sh"
build_fuzz_targets fuzz_boardfile

# Seeds: a board the game wrote, one with a Chinese name in GBK, a short one
# with odd lines and line ends, and junk.
seeds=$build/fuzz-seeds
corpus=$build/fuzz-corpus
mkdir -p "$seeds" "$corpus"
{
    printf 'Ann,500\r\nBob,300\r\nCy,300\r\nDee,100\r\nEd,90\r\n'
    printf 'Flo,80\r\nGus,70\r\nHal,60\r\nIvy,50\r\nJo,40\r\n'
} >"$seeds/valid"
{
    printf '\xd0\xa1\xc3\xf7,12\r\n'
    for _ in 1 2 3 4 5 6 7 8 9; do printf '0,0\r\n'; done
} >"$seeds/gbk-name"
printf '250\n\rx,70000\r,\n a b , -3.5 \r\n\xd0,5\r\n\xa3\xac,1\r\n' >"$seeds/odd-lines"
junk_seed "$seeds/junk"

"$build/tests/fuzz/fuzz_boardfile" "$corpus" "$seeds" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/" -print_final_stats=1
