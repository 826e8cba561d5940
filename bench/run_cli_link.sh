#!/bin/sh
# The companion program against four paced simulated radios: read, write with
# verification, one radio against four at once, and `kvd9-cli --help`.
set -e
build=${BUILD_DIR:-$(dirname "$0")/../build}
exec "$build/bench/bench_cli_link"
