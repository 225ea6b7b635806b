#!/usr/bin/env bash
# Prints how long tessaly.exe takes from process start to a visible main
# window, beside a plain Win32 program that builds the same window with the
# same standard controls, menu bar, owner window and tray icon (the goal is at
# most 1.10 times its time), and beside a bare window, under the same Wine:
# for the shipped i686 build in the WoW64 prefix where this machine executes
# 32-bit code, and for the x86_64 build. The load average is printed first:
# the figures mean little on a busy machine.
#   bench-startup.sh [RUNS]
# shellcheck source=bench-wine.sh
source "$(dirname "$0")/bench-wine.sh"
kinds=(win64)
if [ "$TESSALY_WOW64" = 1 ]; then
  scripts/build.sh win32 >/dev/null
  kinds=(win32 win64)
else
  echo "this machine does not execute 32-bit code: only the x86_64 build is measured"
fi
for kind in "${kinds[@]}"; do
  echo "== $([ "$kind" = win32 ] && echo "i686 (the shipped build), under WoW64" || echo "x86_64")"
  b="build/$kind"
  timeout 900 wine "$b/bench/startup_bench.exe" "$b/app/tessaly.exe" "$b/bench/plain_window.exe" \
    "$b/bench/bare_window.exe" "${1:-21}" </dev/null
done
echo "load afterwards: $(uptime | sed 's/.*load average: //')"
