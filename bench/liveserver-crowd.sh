#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program under a crowd of idle connections from many loopback addresses
# (tests/streaming/localcrowd.cpp), its game clock running under a minute so that clock.txt
# changes every tenth: per round, how many GET /state.json were served, the longest time
# clock.txt stood still, and the program's PSS before, after the first round and after the
# last.
#   bench/liveserver-crowd.sh BUILD_DIR [rounds (4)] [seconds per round (25)] [hold (1200)]
# BUILD_DIR holds pucklight and tests/streaming/localcrowd (or set LOCALCROWD to another
# build's, to measure an older program with the same crowd). The program runs under an Xvfb
# of its own, with its own HOME and XDG folders; both are stopped on exit. Loopback only.
set -euo pipefail
build=$(realpath "$1")
rounds=${2:-4}
seconds=${3:-25}
hold=${4:-1200}
program=$build/pucklight
crowd=${LOCALCROWD:-$build/tests/streaming/localcrowd}

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{home,config,state,data,cache,runtime,feed}
chmod 700 "$work/runtime"
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_STATE_HOME=$work/state \
    XDG_DATA_HOME=$work/data XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime

Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
"$program" --feed "$work/feed" --serve "$port" >"$work/program.log" 2>&1 &
pid=$!
pids+=("$pid")

# The splash, clicked in its middle; then the board, with the keyboard.
splash=$(xdotool search --sync --onlyvisible --name '^Pucklight$' | head -1)
eval "$(xdotool getwindowgeometry --shell "$splash")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
board=$(xdotool search --sync --onlyvisible --name '^Pucklight - ' | head -1)
xdotool windowfocus --sync "$board"
sleep 0.5

# 0:59 on the game clock, running (it runs out within a minute, so each round sets it again).
clock=$work/feed/clock.txt
running() {
    local before
    before=$(cat "$clock")
    sleep 0.5
    [ "$before" != "$(cat "$clock")" ]
}
fresh_clock() {
    xdotool key 0 period 5 9 Return
    sleep 0.3
    running || xdotool key s
    if ! running; then
        echo "the clock does not run: $(cat "$clock")" >&2
        exit 1
    fi
}

# PSS counts the pages shared with other processes in part, so it moves a little when they
# come and go; RssAnon (the heap among them) is this process's alone.
memory() {
    echo "PSS $(awk '/^Pss:/ { print $2 }' "/proc/$pid/smaps_rollup") kB," \
        "RssAnon $(awk '/^RssAnon:/ { print $2 }' "/proc/$pid/status") kB"
}
echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "before: $(memory)"
for round in $(seq "$rounds"); do
    fresh_clock
    echo "round $round: $("$crowd" "$port" "$seconds" --hold "$hold" --feed "$work/feed")"
    sleep 2
    echo "after round $round: $(memory); load $(cut -d' ' -f1-3 /proc/loadavg)"
done
