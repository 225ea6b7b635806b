#!/usr/bin/env bash
# Runs every test: native unit tests (under sanitizers), then the Win32 tests and
# the end-to-end tests of the real program under Wine. Also compiles the shipped
# 32-bit program, checks that it imports only system libraries, and builds and
# reads back the release package. Exits non-zero on any failure.
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
logs="$root/build/test-logs"
mkdir -p "$logs"
echo "== imports of the shipped program"
imports_failed=0
bash scripts/check-imports.sh build/win32/app/tessaly.exe || { imports_failed=1; status=1; }
echo "== release package"
package_failed=0
bash scripts/package.sh >"$logs/package.txt" 2>&1 ||
  { package_failed=1; status=1; tail -20 "$logs/package.txt"; }
echo "== native tests"
# Logs by ctest itself, not through a pipe: a Wine process started by a test
# could hold a pipe open long after the test.
ctest --test-dir build/native-asan --output-on-failure --output-log "$logs/native.txt" || status=1
echo "== Win32 and end-to-end tests under Wine"
ctest --test-dir build/win64 --output-on-failure --output-log "$logs/wine.txt" || status=1

# One closing line over both configurations, from ctest's own summaries.
total=0 failed=0
for f in "$logs/native.txt" "$logs/wine.txt"; do
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$f" | tail -1)
  if [ -z "$line" ]; then status=1; continue; fi
  t=$(sed -E 's/.*out of ([0-9]+).*/\1/' <<<"$line")
  n=$(sed -E 's/.*passed, ([0-9]+) tests? failed.*/\1/' <<<"$line")
  total=$((total + t)) failed=$((failed + n))
done
[ "$total" -gt 0 ] || status=1
# The import check and the package check count as one test each.
total=$((total + 2)) failed=$((failed + imports_failed + package_failed))
echo
echo "$((total - failed)) passed, $failed failed"
exit $status
