#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process measurements of the real program, built for release, under an Xvfb of its own
# (and a PulseAudio null sink, as the end-to-end tests use): the time from the start of the
# process to the splash shown, resident memory with the board open, and the process's CPU
# with the game clock running for a minute on a 1920 x 1080 board.
#   bench/process.sh [start runs (30)] [CPU seconds (60)]
# Every server and program it starts has its own process id and is stopped on exit; settings
# go to a temporary folder. See bench/README.md for the results.
set -euo pipefail
runs=${1:-30}
seconds=${2:-60}
cd "$(dirname "$0")/.."
build=build-bench

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPUCKLIGHT_BENCH=ON >/dev/null
cmake --build "$build" --target pucklight bench_process >/dev/null

echo "load before the starts: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/bench_process" "$build/pucklight" start "$runs"
echo "load after the starts: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/bench/bench_process" "$build/pucklight" board "$seconds"
