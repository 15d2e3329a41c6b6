# Sourced by the tools/fuzz-*.sh scripts: what every fuzz run shares.
# Sets seconds (the first argument, default 30), root and build
# ($WORDNEST_FUZZ_BUILD, default build-fuzz/).
seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WORDNEST_FUZZ_BUILD:-$root/build-fuzz}

# Configures the fuzz build with clang and builds the given targets.
build_fuzz_targets() {
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWORDNEST_FUZZ=ON -DWORDNEST_TESTS=OFF >/dev/null
    cmake --build "$build" --target "$@"
}

# Writes 512 bytes of every value, in a fixed scrambled order, to $1.
junk_seed() {
    for i in $(seq 0 511); do printf "\\$(printf '%03o' $(((i * 131 + 7) % 256)))"; done >"$1"
}
