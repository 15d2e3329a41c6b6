#!/usr/bin/env bash
# Runs a command with SDL playing through a real sound server: a private
# PulseAudio (Debian's pulseaudio package) whose only sink is a null sink,
# which consumes samples in real time like a sound card. The server is
# started here and stopped afterwards; nothing of the user's own sound
# set-up is touched.
#   bench/with-null-sink.sh build/bench/bench_soundstart
set -euo pipefail
command -v pulseaudio >/dev/null || { echo "needs pulseaudio (apt-get install pulseaudio)" >&2; exit 1; }

runtime=$(mktemp -d)
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --disable-shm=no --log-level=error \
    --use-pid-file=no -L "module-null-sink sink_name=quiet" \
    -L "module-native-protocol-unix auth-anonymous=1 socket=$runtime/native" 2>"$runtime/log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do
    [ -S "$runtime/native" ] && break
    sleep 0.05
done
[ -S "$runtime/native" ] || { cat "$runtime/log" >&2; exit 1; }

PULSE_SERVER="unix:$runtime/native" SDL_AUDIODRIVER=pulseaudio "$@"
