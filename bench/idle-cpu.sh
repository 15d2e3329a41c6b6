#!/usr/bin/env bash
# The processor time the real game takes while a child does nothing: before a
# game, with the help open, during a game (left to run out by itself) and
# after it. Starts the game under Xvfb with openbox, reads utime + stime from
# /proc/PID/stat (10 ms steps) over each stretch, and the thread switches (a
# wake-up each) of the threads alive at both ends.
#   bench/idle-cpu.sh [build/wordnest] [seconds per stretch, default 30]
# The sound goes where SDL_AUDIODRIVER says (dummy when unset); run it under
# bench/with-null-sink.sh for a real sound server.
# Needs: xvfb xauth openbox xdotool.
set -euo pipefail
game=$(realpath "${1:-build/wordnest}")
seconds=${2:-30}
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$game" "$seconds"
fi

folder=$(mktemp -d)
cp "$game" "$folder/wordnest"
openbox >/dev/null 2>&1 &
wm=$!
sleep 1
"$folder/wordnest" 2>/dev/null &
pid=$!
trap 'kill $pid $wm 2>/dev/null; rm -rf "$folder"' EXIT
main=$(xdotool search --sync --onlyvisible --name '^Wordnest$' | head -n 1)

ticks() { awk '{ print $14 + $15 }' "/proc/$pid/stat"; }
# "thread-id switches" for every thread; a thread that ends takes its count
# along, so only threads alive at both ends are compared.
switches() {
    for task in /proc/"$pid"/task/*; do
        awk -v tid="${task##*/}" '/ctxt_switches/ { n += $2 } END { print tid, n }' "$task/status" 2>/dev/null
    done
}
measure() {
    local before_ticks before_switches
    before_ticks=$(ticks)
    before_switches=$(switches)
    sleep "$seconds"
    printf '%-16s %4d ms CPU, %6d thread switches in %d s (driver %s)\n' "$1" \
        $((($(ticks) - before_ticks) * 1000 / $(getconf CLK_TCK))) \
        "$(join <(sort <<<"$before_switches") <(switches | sort) | awk '{ n += $3 - $2 } END { print n + 0 }')" \
        "$seconds" "$SDL_AUDIODRIVER"
}
click() { xdotool mousemove --window "$main" "$1" "$2" click 1; }

sleep 3 # past the start and the device's idle time
measure "before a game"

click 545 235 # help
xdotool search --sync --onlyvisible --name '^Form1$' >/dev/null
sleep 3
measure "help open"
xdotool key --clearmodifiers alt+F4 # openbox closes the active window: the help
sleep 1

click 489 235 # start; no picture is ever clicked, so the chances run out
measure "during a game"

board=$(xdotool search --sync --onlyvisible --name '^排行榜$' | head -n 1)
sleep 8 # the board's sound, then the device's idle time
xdotool windowactivate --sync "$board" key --clearmodifiers alt+F4
sleep 3
measure "after a game"
