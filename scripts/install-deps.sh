#!/usr/bin/env bash
# Installs what building, testing and running the program needs, from
# Debian's (or Ubuntu's) own packages.
set -euo pipefail
# qt6-translations-l10n: Qt's own texts (message box buttons, context
# menus) in Chinese. desktop-file-utils, appstream: the packaging test
# validates the desktop entry and the metainfo. dpkg-dev, file: cpack's
# .deb with dependencies from dpkg-shlibdeps. lintian: the packaging test
# checks the .deb with it. python3-jsonschema: the companion's test checks
# its JSON against the schema. ninja-build, lld: the build runs every job
# that is ready, and links fast. ccache: a build repeated on the same
# machine (the normal and sanitized builds of .ci/run, run again) takes its
# objects from the cache.
packages=(cmake g++ make ninja-build lld ccache qt6-base-dev qt6-serialport-dev libgl-dev
          xvfb xauth fonts-wqy-microhei qt6-translations-l10n
          desktop-file-utils appstream dpkg-dev file lintian python3-jsonschema)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
