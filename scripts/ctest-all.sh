#!/usr/bin/env bash
# Runs every test of a build folder, as many at once as the machine keeps
# busy: each busy test holds one of its processors (tests/CMakeLists.txt),
# and up to three tests that mostly wait on serial links run beside them.
# Usage: scripts/ctest-all.sh <build folder> [ctest options]
set -euo pipefail
build=$1
shift
cpus=$(nproc)
# ctest reads the file from inside the build folder, so its path is absolute.
spec=$(cd "$build" && pwd)/ctest-resources.json
printf '{"version": {"major": 1, "minor": 0}, "local": [{"cpus": [{"id": "0", "slots": %d}]}]}\n' "$cpus" >"$spec"
ctest --test-dir "$build" --output-on-failure -j"$((cpus + 3))" --resource-spec-file "$spec" "$@"
