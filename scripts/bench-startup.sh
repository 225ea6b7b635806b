#!/usr/bin/env bash
# Prints how long tessaly.exe takes from process start to a visible main
# window, beside a plain Win32 program that builds the same window with the
# same standard controls, menu bar, owner window and tray icon (the goal is at
# most 1.15 times its time), and beside a bare window, under the same Wine.
# The load average is printed first: the figures mean little on a busy machine.
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
timeout 900 wine build/win64/bench/startup_bench.exe build/win64/app/tessaly.exe build/win64/bench/plain_window.exe \
  build/win64/bench/bare_window.exe "${1:-21}" </dev/null
uptime
