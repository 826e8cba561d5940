#!/usr/bin/env bash
# The headless folders and their tests build without Qt Widgets: the
# companion program and the simulated radio link only them. A header from a window folder there
# would pull widgets in, so any such include fails this check.
set -u
top=${1:-$(cd "$(dirname "$0")/../.." && pwd)}
cd "$top" || exit 2
# Their tests too, which link only the library they test.
headless_tests="tests/core tests/serial tests/fields tests/cli"
found=$(grep -rnE '#[[:space:]]*include[[:space:]]*[<"](platform|channels|link|files|settings|shell)/' \
          core serial fields cli tools $headless_tests 2>/dev/null)
found+=$(grep -rnE '#[[:space:]]*include[[:space:]]*<Qt?Widgets|#[[:space:]]*include[[:space:]]*<Q(Widget|Dialog|MainWindow|MessageBox|Application)>' \
          core serial fields cli tools $headless_tests 2>/dev/null)
if [ -n "$found" ]; then
  echo "headless files that include window code:"
  echo "$found"
  exit 1
fi
# Nor do they reach the windows' document or its working range: they take
# the image and the range as arguments. Nor does anything reach the image,
# range or current channel that the windows once shared as globals.
shared=$(grep -rnwE 'CodeplugDocument|Img|Document|WorkRangeLowMHz|WorkRangeHighMHz|CurrentChannel|ChannelCount' \
          core serial fields cli tools 2>/dev/null)
if [ -n "$shared" ]; then
  echo "headless files that use the windows' shared image or working range:"
  echo "$shared"
  exit 1
fi
echo "headless folders include no window code and use no shared image"
