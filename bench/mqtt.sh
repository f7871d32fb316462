#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One board publishing in tenths through a local mosquitto to many subscribers, built for
# release: the delivery latency, then the real program's CPU under Xvfb with MQTT off and on.
#   bench/mqtt.sh [subscribers (1000)] [latency seconds (30)] [CPU seconds (45)]
# Every server and program it starts has its own process id and is stopped on exit. See
# bench/README.md for the results.
set -euo pipefail
subscribers=${1:-1000}
latency=${2:-30}
cpu=${3:-45}
cd "$(dirname "$0")/.."
build="build-bench"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPUCKLIGHT_BENCH=ON >/dev/null
cmake --build "$build" --target pucklight bench_process bench_mqtt >/dev/null

"$build/bench/bench_mqtt" latency "$subscribers" "$latency"
"$build/bench/bench_mqtt" cpu "$build/pucklight" "$build/bench/bench_process" "$cpu" "$subscribers"
