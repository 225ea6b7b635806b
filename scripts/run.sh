#!/usr/bin/env bash
# Builds Tessaly and starts it under Wine: on your display when DISPLAY is set,
# otherwise headless on a private X server, leaving a screenshot behind.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh
scripts/build.sh win64
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
exe="$root/build/win64/app/tessaly.exe"
if [ -n "${DISPLAY:-}" ]; then
  wine_env_start "$root/build/wine-run" display
  trap wine_env_stop EXIT
  wine "$exe" || true
else
  wine_env_start "$root/build/wine-run" headless
  trap wine_env_stop EXIT
  timeout 3600 wine "$exe" &
  app=$!
  for _ in $(seq 1 50); do
    timeout 10 wine "$root/build/win64/tests/wine/tdriver.exe" wait-window TfrmMain " Tessaly 2" 100 >/dev/null 2>&1 && break
    sleep 0.2
  done
  sleep 1
  shot="$root/build/tessaly-screenshot.png"
  import -display "$DISPLAY" -window root "$shot"
  echo "Tessaly is running headless on $DISPLAY; screenshot: $shot"
  echo "Press Ctrl+C to end it (it ends by itself after an hour)."
  wait $app || true
fi
