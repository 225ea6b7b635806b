#!/usr/bin/env bash
# Prints how long tessaly.exe takes from process start to a visible main
# window, beside a bare Win32 window program built the same way, under the
# same Wine.
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
uptime
timeout 600 wine build/win64/bench/startup_bench.exe build/win64/app/tessaly.exe build/win64/bench/bare_window.exe "${1:-9}" </dev/null
