#!/usr/bin/env bash
# Runs the whole test suite three times in a row as scripts/test.sh does while two
# CPU-bound processes run beside it, so that a test that passes only on an
# idle machine shows up. Exits non-zero when any run fails.
# Usage: scripts/test-under-load.sh [build folder, default build]
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
[ -f "$build/CTestTestfile.cmake" ] || { echo "no tests in $build: build it first (scripts/build.sh)" >&2; exit 2; }

busy=()
stop_busy() {
  for pid in "${busy[@]}"; do
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  busy=()
}
trap stop_busy EXIT
trap 'exit 130' INT TERM
for _ in 1 2; do
  (while :; do :; done) &
  busy+=("$!")
done

failed=0
for run in 1 2 3; do
  echo "== run $run of 3, beside two busy processes (${busy[*]})"
  if ! scripts/ctest-all.sh "$build"; then
    failed=$((failed + 1))
  fi
done
stop_busy
echo "== $((3 - failed)) of 3 runs passed"
[ "$failed" -eq 0 ]
