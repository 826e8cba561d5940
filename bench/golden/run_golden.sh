#!/bin/sh
# Runs the companion's show, diff, export-csv and import-csv on the inputs
# here and writes every output (standard output, errors, exit status and
# written files) into one folder, so that two builds can be compared byte
# for byte.
# Usage: run_golden.sh KVD9_CLI OUTPUT_FOLDER
set -u
cli=$1
out=$2
case $out in /*) ;; *) out=$(pwd)/$out ;; esac
case $cli in */*) cli=$(cd "$(dirname "$cli")" && pwd)/$(basename "$cli") ;; esac
# The inputs are named relative to their folder, so that messages naming a
# file read the same wherever the checkout lies.
cd "$(dirname "$0")/inputs" || exit 2
in=.
mkdir -p "$out"
rm -rf "${out:?}"/*

run() { # name, arguments...
    name=$1
    shift
    "$cli" "$@" >"$out/$name.out" 2>"$out/$name.err"
    echo $? >"$out/$name.status"
}

for image in sample full128 noise; do
    f=$in/$image.chann
    run "show-$image" show "$f"
    run "show-$image-zh" show --lang zh "$f"
    run "show-$image-json" show --json "$f"
    run "show-$image-field" show --field 'channel.4.*' "$f"
    run "export-$image" export-csv "$f" -o "$out/export-$image.csv"
    run "export-$image-zh" export-csv --lang zh "$f" -o "$out/export-$image-zh.csv"
done

run diff-sample-full128 diff "$in/sample.chann" "$in/full128.chann"
run diff-full128-noise diff "$in/full128.chann" "$in/noise.chann"
run diff-noise-sample-zh diff --lang zh "$in/noise.chann" "$in/sample.chann"
run diff-sample-noise-json diff --json "$in/sample.chann" "$in/noise.chann"
run diff-sample-sample diff "$in/sample.chann" "$in/sample.chann"

for plan in "$in"/*.csv; do
    p=$(basename "$plan" .csv)
    for base in sample full128 noise; do
        run "import-$p-$base" import-csv "$plan" --base "$in/$base.chann" -o "$out/import-$p-$base.chann"
        run "import-$p-$base-replace" import-csv --replace "$plan" --base "$in/$base.chann" \
            -o "$out/import-$p-$base-replace.chann"
    done
    run "import-$p-zh" import-csv --lang zh "$plan" --base "$in/sample.chann" -o "$out/import-$p-zh.chann"
done
exit 0
