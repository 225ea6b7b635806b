#!/usr/bin/env bash
# Takes the README's pictures of the program's windows again (docs/screenshots),
# from the shipped i686 build where this machine executes 32-bit code, else
# from the x86_64 build, in a Wine prefix set up as the tests' is.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh
# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_env_start "$root/build/wine-screenshots" headless
trap wine_env_stop EXIT
kind=win64
[ "$TESSALY_WOW64" = 1 ] && kind=win32
scripts/build.sh "$kind" >/dev/null
b="$root/build/$kind"
TESSALY_EXE="$b/app/tessaly.exe" TDRIVER_EXE="$b/tests/wine/tdriver.exe" TTARGET_EXE="$b/tests/wine/ttarget.exe" \
  TRECORD_EXE="$b/tests/wine/trecord.exe" E2E_OUTPUT_DIR="$root/build/screenshots" \
  python3 tests/e2e/screenshots.py
