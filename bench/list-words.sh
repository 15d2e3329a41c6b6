#!/bin/sh
# `wordnest --list-words` with five own sets of twelve 4000 x 3000 PNGs
# against the same with 90 x 90 pictures: medians of 21 runs each, interleaved.
#   bench/list-words.sh [BUILD]     (SOURCES=FOLDER keeps the source pictures for the next run)
set -eu
build=${1:-build}
here=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for kind in bigpng small; do
    python3 "$here/make-photo-sets.py" "$tmp/$kind/wordnest/sets" 5 "$kind" "${SOURCES:-$tmp}/sources-$kind"
done
export XDG_CACHE_HOME="$tmp/cache" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen
mkdir -m 700 "$XDG_RUNTIME_DIR"
python3 - "$build/wordnest" "$tmp" <<'PY'
import os, statistics, subprocess, sys, time
program, tmp = sys.argv[1], sys.argv[2]
times = {"bigpng": [], "small": []}
for run in range(21):
    for kind in times:
        env = dict(os.environ, XDG_DATA_HOME=os.path.join(tmp, kind))
        start = time.perf_counter()
        out = subprocess.run([program, "--list-words"], env=env, capture_output=True, check=True, text=True)
        times[kind].append(time.perf_counter() - start)
        assert sum(line.startswith(kind) for line in out.stdout.splitlines()) == 5, out.stdout + out.stderr
big, small = (statistics.median(times[k]) * 1000 for k in ("bigpng", "small"))
print(f"--list-words, median of 21: 4000 x 3000 PNGs {big:.1f} ms, 90 x 90 PNGs {small:.1f} ms: {big / small:.2f} times")
PY
