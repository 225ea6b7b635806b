#!/usr/bin/env bash
# Prints what a bookmark file of 10,000 bookmarks in 100 folders costs under
# Wine: the program's start with it beside the program and without it, one
# load and one store.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh
scripts/build.sh win64 >/dev/null
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_env_start "$root/build/wine-bench" headless
trap wine_env_stop EXIT
# A clean start: the window shows at start when no settings say otherwise.
timeout 30 wine reg delete 'HKLM\Software\Corvane' /f </dev/null >/dev/null 2>&1 || true
work="$root/build/wine-bench/bookmarks"
rm -rf "$work"
uptime
timeout 900 wine build/win64/bench/bookmarks_bench.exe build/win64/app/tessaly.exe "$(winepath -w "$work")" "${1:-15}" </dev/null
rm -rf "$work"
