#!/usr/bin/env bash
# Prints how long the colour preview takes under Wine from the command to the
# viewer showing its picture, for a 1280 x 1000 target, beside the screen copy
# alone in the same run, and the steps after the copy: for the shipped i686
# build in the WoW64 prefix where this machine executes 32-bit code, and for
# the x86_64 build. The load average is printed first and last: the figures
# mean little on a busy machine. Figures only.
#   scripts/bench-preview.sh [RUNS]
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
  timeout 600 wine "build/$kind/bench/preview_bench.exe" "${1:-9}" </dev/null
done
echo "load afterwards: $(uptime | sed 's/.*load average: //')"
