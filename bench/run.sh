#!/usr/bin/env bash
# Builds the benchmarks (Release with debug info, as the default preset) in
# build/bench and runs them all: start-up time and memory against a bare
# toolkit window in a private X server, then the reaction to clicks.
#
#   bash bench/run.sh [RUNS]     RUNS start-ups of each program, 31 if not given
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/bench
mkdir -p "$build"
cmake -S . -B "$build" -G "Unix Makefiles" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DGRIFFWANDLER_BUILD_TESTS=OFF -DGRIFFWANDLER_BUILD_BENCH=ON >"$build/configure.log" 2>&1 ||
    { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j2 --target bench_startup_app bench_startup_floor bench_reaction \
    >"$build/build.log" 2>&1 || { tail -n 50 "$build/build.log"; exit 1; }

exec python3 bench/driver.py "$build/bench" "${1:-31}"
