#!/usr/bin/env bash
# Benchmark of palette-reduce against ImageMagick on two 1920 x 1080 pictures:
# a plasma (colour clouds with grain, as a photograph has: hardly two
# neighbouring pixels alike) and a web page (mostly flat colour with smoothed
# text, scripts/make-page-picture.sh). For each picture and mode both run as
# whole processes in turn, ours then ImageMagick's, REPETITIONS pairs after one
# warm-up pair; printed are the medians of each and the median of the pairs'
# ratios, our peak memory, and the reduction's own cost per pixel. Figures
# only: nothing here passes or fails on speed.
#   scripts/bench-palette.sh [--no-build] [REPETITIONS]
# BENCH_BUILD_DIR selects another native build directory (default build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
if [ "${1:-}" = "--no-build" ]; then build=0; shift; fi
reps=${1:-15}
build_dir=${BENCH_BUILD_DIR:-$root/build/native}
if [ "$build" = 1 ]; then "$root/scripts/build.sh" native >/dev/null; fi
tool=$build_dir/tools/palette_reduce/palette-reduce
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
convert -seed 1 -size 1920x1080 plasma:fractal -type TrueColor BMP3:"$work/plasma.bmp"
"$root/scripts/make-page-picture.sh" "$work/page.bmp"

median() { sort -g | awk '{a[NR] = $1} END {printf "%.1f", a[int((NR + 1) / 2)]}'; }
ms() { echo "($2 - $1) * 1000" | bc -l; }

# compare NAME GOAL INPUT OURS_ARGS... -- IMAGEMAGICK_ARGS...
compare() {
  local name=$1 goal=$2 input=$3 i start mid end ours=() theirs=() ratios=() a b
  shift 3
  local our_args=() im_args=()
  while [ "$1" != -- ]; do our_args+=("$1"); shift; done
  shift
  im_args=("$@")
  for ((i = 0; i <= reps; i++)); do
    start=$EPOCHREALTIME
    "$tool" "${our_args[@]}" "$input" "$work/ours.bmp" >/dev/null
    mid=$EPOCHREALTIME
    convert "$input" "${im_args[@]}" "$work/im.bmp" >/dev/null
    end=$EPOCHREALTIME
    [ "$i" = 0 ] && continue  # the warm-up pair
    a=$(ms "$start" "$mid")
    b=$(ms "$mid" "$end")
    ours+=("$a")
    theirs+=("$b")
    ratios+=("$(echo "$b / $a" | bc -l)")
  done
  printf '  %-20s %7s ms   ImageMagick %7s ms   %5sx faster (goal %sx)\n' "$name" \
    "$(printf '%s\n' "${ours[@]}" | median)" "$(printf '%s\n' "${theirs[@]}" | median)" \
    "$(printf '%s\n' "${ratios[@]}" | median)" "$goal"
}

peak() {
  if [ -x /usr/bin/time ]; then
    /usr/bin/time -f '%M' "$tool" "$@" "$work/ours.bmp" 2>&1 >/dev/null | awk '{printf "%.1f MiB", $1 / 1024}'
  else
    echo "unknown (GNU time is not installed)"
  fi
}

echo "load: $(uptime | sed 's/.*load average/load average/')"
echo "1920 x 1080, 24 bits; whole processes, median of $reps pairs"
for picture in plasma page; do
  input=$work/$picture.bmp
  echo "$picture:"
  compare "web-safe:" 20 "$input" --mode websafe -- -dither FloydSteinberg -remap netscape:
  compare "optimized Windows:" 15 "$input" --mode windows -- -dither FloydSteinberg -colors 256
  echo "  peak memory: web-safe $(peak --mode websafe "$input"), optimized Windows $(peak --mode windows "$input")"
  printf '  web-safe           '
  "$tool" --bench "$reps" --mode websafe "$input" "$work/ours.bmp"
  printf '  optimized Windows  '
  "$tool" --bench "$reps" --mode windows "$input" "$work/ours.bmp"
done
# The colour-vision views of the viewer, on a page of 1280 x 1000 (goal: 15 ms each).
convert "$work/page.bmp" -crop 1280x1000+0+0 +repage -type TrueColor BMP3:"$work/page1280.bmp"
echo "colour-vision simulation, page 1280 x 1000, 24 bits (goal 15 ms):"
for kind in protanopia deuteranopia tritanopia achromatopsia; do
  printf '  '
  "$tool" --bench "$reps" --simulate "$kind" "$work/page1280.bmp" "$work/ours.bmp"
done
echo "load afterwards: $(uptime | sed 's/.*load average: //')"
