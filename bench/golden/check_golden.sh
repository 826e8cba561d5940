#!/bin/sh
# Compares the companion's outputs on the inputs here with the recorded
# checksums of the outputs before the image became one model: show, diff,
# export-csv and import-csv must stay byte-identical.
# Usage: check_golden.sh KVD9_CLI
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$here/run_golden.sh" "$1" "$work/out"
(cd "$work/out" && sha256sum *) >"$work/actual.sha256"
if ! diff -u "$here/expected.sha256" "$work/actual.sha256"; then
    echo "the companion's output changed (files marked + above)" >&2
    exit 1
fi
