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
# Ninja for a new build folder: it compiles each source as soon as its own
# inputs are ready, not target after target.
[ -f "$build/CMakeCache.txt" ] || options+=(-G Ninja)
# ccache, where installed, keeps every compiled object: the next build of
# the same sources, also from a fresh clone in the same folder, compiles
# only what changed. Paths count from the top of the checkout, so a clone
# elsewhere reuses the libraries' objects; the test programs carry their own
# folder (Qt Test's QT_TESTCASE_SOURCEDIR) and compile again there. The
# test programs' precompiled headers are cached only with the sloppiness
# ccache asks for them. In its depend mode ccache takes the headers a source
# read from the compiler's own list instead of preprocessing every source
# once more, which cost a tenth of each compilation its cache lacked.
if command -v ccache >/dev/null; then
  options+=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=$PWD CCACHE_NOHASHDIR=1 CCACHE_SLOPPINESS=pch_defines,time_macros CCACHE_DEPEND=1
fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
cmake --build "$build" -j"$(nproc)"
