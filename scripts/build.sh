#!/usr/bin/env bash
# Configures and builds one configuration: native | native-asan | win64 | win32.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?native, native-asan, win64 or win32}
case "$kind" in
  native) args=() ;;
  # -O1 and line tables only, as the sanitizers' makers advise: reports keep
  # their file and line, and the build takes half the time of -O2 -g.
  native-asan) args=(-DTESSALY_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
                     "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG"
                     "-DCMAKE_C_FLAGS_RELWITHDEBINFO=-O1 -g1 -DNDEBUG") ;;
  win64)  args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-x86_64-w64-mingw32.cmake") ;;
  win32)  args=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-i686-w64-mingw32.cmake") ;;
  *) echo "unknown build kind $kind" >&2; exit 2 ;;
esac
shift
cmake -S "$root" -B "$root/build/$kind" "${args[@]}" "$@" >/dev/null
cmake --build "$root/build/$kind" -j "$(nproc)"
