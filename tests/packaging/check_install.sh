#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR as the .deb lays it out and
# checks what a desktop needs: the programs, a valid desktop entry, valid
# AppStream metainfo, the icon, the manual pages and the companion's shell
# completions.
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
DESTDIR=$root cmake --install "$build" --prefix /usr >/dev/null
usr=$root/usr
id=com.northharborradio.kvd9programmer

status=0
need() { [ -e "$usr/$1" ] || { echo "missing: /usr/$1"; status=1; }; }
need bin/kvd9-programmer
need share/applications/$id.desktop
need share/metainfo/$id.metainfo.xml
need share/icons/hicolor/scalable/apps/kvd9-programmer.svg
need share/icons/hicolor/48x48/apps/kvd9-programmer.png
need share/man/man1/kvd9-programmer.1.gz
for tool in kvd9-radio-sim kvd9-cli; do
  if [ -e "$build/tools/$tool" ] || [ -e "$build/cli/$tool" ]; then
    need bin/$tool
    need share/man/man1/$tool.1.gz
  fi
done
if [ -e "$build/cli/kvd9-cli" ]; then
  need share/bash-completion/completions/kvd9-cli
  need share/zsh/vendor-completions/_kvd9-cli
  need share/fish/vendor_completions.d/kvd9-cli.fish
fi

desktop-file-validate "$usr/share/applications/$id.desktop" || status=1
appstreamcli validate --no-net --pedantic "$usr/share/metainfo/$id.metainfo.xml" || status=1
# The entry starts the program by the name installed on the PATH.
grep -qx 'Exec=kvd9-programmer' "$usr/share/applications/$id.desktop" || { echo "Exec line"; status=1; }
exit $status
