#!/usr/bin/env bash
# Fuzzes the class list reader (--add-children FILE) with libFuzzer.
# Usage: tools/fuzz-classlist.sh [seconds]      (default 30)
# Needs clang and libclang-rt-14-dev (or the libFuzzer runtime of the clang in use).
# Builds in $WORDNEST_FUZZ_BUILD (default build-fuzz/); a crash leaves its input
# there as crash-* and makes the script fail.
set -euo pipefail

. "$(dirname "$0")/fuzz-common.sh"
build_fuzz_targets fuzz_namelist

# Seeds: a list with a byte-order mark and CR LF, one in GBK, one with every
# kind of bad line, and junk.
seeds=$build/fuzz-seeds-classlist
corpus=$build/fuzz-corpus-classlist
mkdir -p "$seeds" "$corpus"
printf '\xef\xbb\xbfMia\r\n\r\n  Leo  \r\n\xe7\x8e\x8b\xe5\xb0\x8f\xe6\x98\x8e\r\n' >"$seeds/utf8"
printf '\xcd\xf5\xd0\xa1\xc3\xf7\nAnna\n' >"$seeds/gbk"
printf 'Mia\nAbcdefghijklmnopq\nLe\x01o\nMi\ra\nMIA\n \xe3\x80\x80\nZoe\xcc\x88\nZo\xc3\xab\n' >"$seeds/bad-lines"
junk_seed "$seeds/junk"

"$build/tests/fuzz/fuzz_namelist" "$corpus" "$seeds" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
    -artifact_prefix="$build/" -print_final_stats=1
