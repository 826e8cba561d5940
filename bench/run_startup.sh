#!/usr/bin/env bash
# Start-up time, the time to open each window, and peak memory of the
# program, under Xvfb.
# Usage: bench/run_startup.sh [build-dir]
set -euo pipefail
build=${1:-build}
runs=${RUNS:-10}
bench="$build/bench/bench_startup"
cmake --build "$build" --target bench_startup >/dev/null
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c "
  for i in \$(seq $runs); do $bench; done | awk '{print \$2}' | sort -n | awk '{s+=\$1; a[NR]=\$1} END {printf \"in-process start-up: mean %.1f ms, median %.1f ms, max %.1f ms over %d runs\n\", s/NR, a[int((NR+1)/2)], a[NR], NR}'
  command -v hyperfine >/dev/null && hyperfine -N --warmup 2 --runs $runs $bench
  for i in 1 2 3; do /usr/bin/time -f 'peak RSS %M KB' $bench >/dev/null; done
  $bench --windows | grep open_ms
"
