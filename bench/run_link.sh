#!/bin/sh
# Full reads and writes against the paced simulated radio; the argument is
# the number of runs of each (default 3).
set -e
build=${BUILD_DIR:-$(dirname "$0")/../build}
cmake --build "$build" --target bench_link >/dev/null
exec "$build/bench/bench_link" "${1:-3}"
