#!/usr/bin/env bash
# Configures and builds the program, its tests and benchmarks in build/.
# --sanitize: the same under AddressSanitizer and UndefinedBehaviorSanitizer,
# in build-sanitize/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
options=()
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  options=(-DKVD9_SANITIZE=ON)
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
cmake --build "$build" -j"$(nproc)"
