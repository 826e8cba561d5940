#!/usr/bin/env bash
# Installs what is needed, builds, and runs the whole test suite headless.
# --sanitize: builds into build-sanitize/ with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs the suite there; any finding stops its
# test, which then fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build
if [ "${1:-}" = "--sanitize" ]; then
  build=build-sanitize
  export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1
  export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
fi
scripts/install-deps.sh
scripts/build.sh "$@"
scripts/ctest-all.sh "$build"
