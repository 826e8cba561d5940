#!/usr/bin/env bash
# Builds the Debian package kvd9-programmer_<version>_<arch>.deb in
# build-package/, with its dependencies found by dpkg-shlibdeps, and lists
# what it holds. Install it with: sudo apt install ./build-package/kvd9-programmer_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
# Debian's own flags for packages, with every hardening feature: fortified
# C library calls, stack protection, relocations read-only and bound at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build-package -j"$(nproc)" --target kvd9-programmer kvd9-radio-sim man_pages
if cmake --build build-package --target help | grep -qx '\.\.\. kvd9-cli'; then
  cmake --build build-package -j"$(nproc)" --target kvd9-cli completions
fi
(cd build-package && cpack -G DEB)
deb=$(ls build-package/kvd9-programmer_*.deb)
dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
