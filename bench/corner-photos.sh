#!/bin/sh
# The corner opened with 40 own sets of photo-like pictures (bench_corner):
# first with an empty picture cache, then in a new run with the cache built.
#   bench/corner-photos.sh [BUILD] [DATA]
# DATA: a data folder whose wordnest/sets hold the sets already (made by
# bench/make-photo-sets.py); without it they are made in a temporary folder.
set -eu
build=${1:-build}
here=$(dirname "$0")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
export XDG_DATA_HOME="${2:-$tmp/data}" XDG_CACHE_HOME="$tmp/cache" XDG_CONFIG_HOME="$tmp/config"
export XDG_RUNTIME_DIR="$tmp/run" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [ -z "${2:-}" ]; then
    python3 "$here/make-photo-sets.py" "$XDG_DATA_HOME/wordnest/sets" 40 photos "$tmp/sources"
fi
echo "Empty cache:"
"$build/bench/bench_corner" 1
echo "Cache built, a new run:"
"$build/bench/bench_corner" 5
echo "Cache: $(du -sh "$XDG_CACHE_HOME" | cut -f1)"
