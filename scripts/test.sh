#!/usr/bin/env bash
# Runs every test: native unit tests (under sanitizers), then the Win32 tests and
# the end-to-end tests of the real program under Wine. Also compiles the shipped
# 32-bit program. Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh || exit 1
scripts/build.sh native-asan || exit 1
scripts/build.sh win64 || exit 1
scripts/build.sh win32 || exit 1   # the shipped build: compiled and linked, not run

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_env_start "$root/build/wine-test" headless
trap wine_env_stop EXIT

status=0
echo "== native tests"
ctest --test-dir build/native-asan --output-on-failure || status=1
echo "== Win32 and end-to-end tests under Wine"
ctest --test-dir build/win64 --output-on-failure || status=1
# One closing summary over both configurations.
ctest --test-dir build/native-asan -N | tail -1 | sed 's/^/native: /'
ctest --test-dir build/win64 -N | tail -1 | sed 's/^/wine: /'
exit $status
