#!/usr/bin/env bash
# Renders the README's before-and-after pictures from the bundled sample with the built
# command-line renderer, enlarged three times (whole pixels, no smoothing) into docs/images/.
#   bash samples/make-readme-pictures.sh [path/to/velumixer-render]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
render=${1:-$root/build/native/bin/velumixer-render}
sample="$root/samples/lake-at-night.png"
images="$root/docs/images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$images"

# Enlarged with whole pixels (--resample picks, it does not filter), so pixel art stays crisp.
enlarge() {  # <in> <out> [crop WxH+X+Y] [factor]
  local in=$1 out=$2 crop=${3:-} factor=${4:-3}
  if [ -n "$crop" ]; then
    oiiotool "$in" --cut "$crop" -o "$work/crop.png"
    in="$work/crop.png"
  fi
  oiiotool "$in" --resample "$((factor * 100))%" -o "$out"
}

# The blur with the built-in defaults: red 0, green 5, blue 15 pixels.
"$render" "$sample" "$work/blur.png"
# Extract: only the lake's blues (key colour 1 within 10 %) stay, blurred.
"$render" --set "1 : Enable=on" --set "1 : Color=#03B4F5" --set "1 : Color Range=10" --set "Mode=Extract" \
  "$sample" "$work/extract.png"
# Every channel radius 2 (the small-radius path): edge smoothing, then one light box pass.
"$render" --set "Blur Amount=1" --set "G=0" --set "B=0" --set "Blur Type=Box" --set "Blur Repeat Num=1" \
  "$sample" "$work/smoothing.png"

enlarge "$sample" "$images/sample.png"
enlarge "$work/blur.png" "$images/blur.png"
enlarge "$work/extract.png" "$images/extract.png"
enlarge "$work/smoothing.png" "$images/edge-smoothing.png"
# The snow-capped peak and its slopes, six times the size.
enlarge "$sample" "$images/edge-smoothing-detail-before.png" 40x24+16+24 6
enlarge "$work/smoothing.png" "$images/edge-smoothing-detail-after.png" 40x24+16+24 6
ls -l "$images"
