#!/bin/sh
# What a look at the serial ports costs in the process and in the companion
# program, and how many files `kvd9-cli ports` opens (with strace, when
# installed).
set -e
build=${BUILD_DIR:-$(dirname "$0")/../build}
cmake --build "$build" --target bench_ports >/dev/null
"$build/bench/bench_ports"
if command -v strace >/dev/null; then
  trace=$(mktemp)
  strace -f -e trace=open,openat -o "$trace" "$build/cli/kvd9-cli" ports >/dev/null
  echo "kvd9-cli ports opens $(grep -c 'open' "$trace") files"
  rm -f "$trace"
fi
