#!/usr/bin/env bash
# Prints how long the tray menu takes to open with 10,000 bookmarks in 100
# folders under "Bookmarks", and then "Bookmarks" and one folder, under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh
scripts/build.sh win64 >/dev/null
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_env_start "$root/build/wine-bench" headless
trap wine_env_stop EXIT
uptime
timeout 600 wine build/win64/bench/menu_bench.exe "${1:-9}" </dev/null
