#!/bin/sh
# The companion program against paced simulated radios: read, write and write
# with verification of one radio, reads and writes with verification of 16,
# 32 and 64 radios at once with the companion's processor time per radio,
# and `kvd9-cli --help`. The argument is the most radios at once (default 64).
set -e
build=${BUILD_DIR:-$(dirname "$0")/../build}
cmake --build "$build" --target bench_cli_link >/dev/null
exec "$build/bench/bench_cli_link" "${1:-64}"
