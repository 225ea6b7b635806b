#!/usr/bin/env bash
# Prints how long tessaly.exe takes from process start to a visible main
# window, beside a plain Win32 program that builds the same window with the
# same standard controls, menu bar, owner window and tray icon (the goal is at
# most 1.15 times its time), and beside a bare window, under the same Wine.
# The load average is printed first: the figures mean little on a busy machine.
# shellcheck source=bench-wine.sh
source "$(dirname "$0")/bench-wine.sh"
timeout 900 wine build/win64/bench/startup_bench.exe build/win64/app/tessaly.exe build/win64/bench/plain_window.exe \
  build/win64/bench/bare_window.exe "${1:-21}" </dev/null
echo "load afterwards: $(uptime | sed 's/.*load average: //')"
