#!/usr/bin/env bash
# Prints how long the colour preview takes under Wine from the command to the
# viewer showing its picture, for a 1280 x 1000 target, beside the screen copy
# alone in the same run, and the steps after the copy. Figures only.
#   scripts/bench-preview.sh [RUNS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh
scripts/build.sh win64 >/dev/null
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_env_start "$root/build/wine-bench" headless
trap wine_env_stop EXIT
echo "load: $(uptime | sed 's/.*load average/load average/')"
timeout 600 wine build/win64/bench/preview_bench.exe "${1:-9}" </dev/null
