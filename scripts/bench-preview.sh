#!/usr/bin/env bash
# Prints how long the colour preview takes under Wine from the command to the
# viewer showing its picture, for a 1280 x 1000 target, beside the screen copy
# alone in the same run, and the steps after the copy. Figures only.
#   scripts/bench-preview.sh [RUNS]
# shellcheck source=bench-wine.sh
source "$(dirname "$0")/bench-wine.sh"
timeout 600 wine build/win64/bench/preview_bench.exe "${1:-9}" </dev/null
