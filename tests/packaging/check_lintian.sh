#!/usr/bin/env bash
# Builds the .deb from the build tree as scripts/package.sh does (cpack's
# DEB generator) and checks it with Debian's own package checker: any
# error or warning fails the test, except the tags accepted below, each
# with its reason.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 \
  || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/kvd9-programmer_*.deb)

accepted=(
)

status=0
report=$(lintian --no-cfg --fail-on none "$deb")
while read -r level _ tag rest; do
  case $level in E: | W:) ;; *) continue ;; esac
  for ok in "${accepted[@]}"; do [ "$tag" = "$ok" ] && continue 2; done
  echo "$level $tag $rest"
  status=1
done <<<"$report"
exit $status
