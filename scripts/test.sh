#!/usr/bin/env bash
# Runs every test: native unit tests (under sanitizers), then the Win32 tests
# and the end-to-end tests of the real program under Wine. Where this machine
# executes 32-bit code, the Win32 tests of both builds run and the end-to-end
# suite runs against the shipped i686 build in a WoW64 prefix, with its
# installer; elsewhere it runs against the x86_64 build. Also checks, from the
# files alone, that both programs find every function they call, and builds
# and reads back the release package. Exits non-zero on any failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/deps.sh || exit 1
scripts/build.sh native-asan || exit 1
scripts/build.sh win64 || exit 1
scripts/build.sh win32 || exit 1

logs="$root/build/test-logs"
mkdir -p "$logs"
rm -f "$logs"/*.txt
# The native tests need no Wine: they run beside the Wine set-up, the import
# check and the package, and are waited for before the end-to-end suite, which
# wants the machine to itself.
echo "== native tests (in the background)"
# Logs by ctest itself, not through a pipe: a Wine process started by a test
# could hold a pipe open long after the test.
ctest --test-dir build/native-asan --output-on-failure --output-log "$logs/native.txt" \
  >"$logs/native-console.log" 2>&1 &
native_pid=$!

# shellcheck source=wine-env.sh
source scripts/wine-env.sh
wine_env_start "$root/build/wine-test" headless
trap wine_env_stop EXIT

status=0
shipped_note=
wait_native() {
  echo "== native tests"
  wait "$native_pid" || status=1
  cat "$logs/native-console.log"
}
echo "== imports of both programs"
imports_failed=0
python3 scripts/check-imports.py build/win32/app/tessaly.exe build/win64/app/tessaly.exe ||
  { imports_failed=1; status=1; }
echo "== release package"
package_failed=0
bash scripts/package.sh >"$logs/package.txt" 2>&1 ||
  { package_failed=1; status=1; tail -20 "$logs/package.txt"; }
if [ "$TESSALY_WOW64" = 1 ]; then
  echo "== Win32 tests of the x86_64 build under Wine"
  ctest --test-dir build/win64 -LE e2e --output-on-failure --output-log "$logs/win64.txt" || status=1
  wait_native
  echo "== Win32 and end-to-end tests of the shipped i686 build under Wine's WoW64"
  ctest --test-dir build/win32 --output-on-failure --output-log "$logs/win32.txt" || status=1
else
  if bash scripts/probe-ia32.sh; then
    shipped_note="wine32:i386 could not be installed, so the shipped i686 build was built and checked, not run"
  else
    shipped_note="this machine does not execute 32-bit code: the shipped i686 build was built and checked, not run"
  fi
  echo "== $shipped_note; the Win32 and end-to-end tests run against the x86_64 build"
  wait_native
  ctest --test-dir build/win64 --output-on-failure --output-log "$logs/win64.txt" || status=1
fi

# One closing line over every configuration, from ctest's own summaries.
total=0 failed=0
[ -f "$logs/native.txt" ] || status=1
for f in "$logs"/native.txt "$logs"/win64.txt "$logs"/win32.txt; do
  [ -f "$f" ] || continue
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
[ -n "${shipped_note:-}" ] && echo "note: $shipped_note"
echo "$((total - failed)) passed, $failed failed"
exit $status
