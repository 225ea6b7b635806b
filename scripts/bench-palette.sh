#!/usr/bin/env bash
# Benchmark of palette-reduce against ImageMagick on a 1920 x 1080 picture of
# gradients and noise: both run as whole processes on the same input, several
# times each; prints the medians, their ratios and the reduction's own cost per
# pixel. Figures only: nothing here passes or fails on speed.
#   scripts/bench-palette.sh [--no-build] [REPETITIONS]
# BENCH_BUILD_DIR selects another native build directory (default build/native).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1
if [ "${1:-}" = "--no-build" ]; then build=0; shift; fi
reps=${1:-9}
build_dir=${BENCH_BUILD_DIR:-$root/build/native}
if [ "$build" = 1 ]; then "$root/scripts/build.sh" native >/dev/null; fi
tool=$build_dir/tools/palette_reduce/palette-reduce
maker=$build_dir/tools/palette_reduce/make-test-picture
command -v convert >/dev/null || { echo "ImageMagick's convert is needed" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$maker" 1920 1080 24 1 "$work/in.bmp"

# Median wall time in milliseconds of REPS runs of a command (one warm-up run first).
median_ms() {
  local times=() i start end
  "$@" >/dev/null
  for ((i = 0; i < reps; i++)); do
    start=$EPOCHREALTIME
    "$@" >/dev/null
    end=$EPOCHREALTIME
    times+=("$(echo "($end - $start) * 1000" | bc -l)")
  done
  printf '%s\n' "${times[@]}" | sort -g | awk '{a[NR] = $1} END {printf "%.1f", a[int((NR + 1) / 2)]}'
}

echo "load: $(uptime | sed 's/.*load average/load average/')"
echo "input: 1920 x 1080, 24 bits, gradients with noise; median of $reps runs"
ours_web=$(median_ms "$tool" --mode websafe "$work/in.bmp" "$work/ours-web.bmp")
im_web=$(median_ms convert "$work/in.bmp" -dither FloydSteinberg -remap netscape: "$work/im-web.bmp")
ours_win=$(median_ms "$tool" --mode windows "$work/in.bmp" "$work/ours-win.bmp")
im_win=$(median_ms convert "$work/in.bmp" -dither FloydSteinberg -colors 256 "$work/im-win.bmp")
printf '%-22s %9s ms   ImageMagick %9s ms   %6.1fx faster (goal 20x)\n' "web-safe:" "$ours_web" "$im_web" \
  "$(echo "$im_web / $ours_web" | bc -l)"
printf '%-22s %9s ms   ImageMagick %9s ms   %6.1fx faster (goal 15x)\n' "optimized Windows:" "$ours_win" "$im_win" \
  "$(echo "$im_win / $ours_win" | bc -l)"
printf 'web-safe           '; "$tool" --bench "$reps" --mode websafe "$work/in.bmp" "$work/ours-web.bmp"
printf 'optimized Windows  '; "$tool" --bench "$reps" --mode windows "$work/in.bmp" "$work/ours-win.bmp"
