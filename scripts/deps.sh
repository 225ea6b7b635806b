#!/usr/bin/env bash
# Installs what building and testing Tessaly needs on Debian 12 (run as root).
# Packages already present are left alone, so a second run costs a second.
# Where this machine executes 32-bit x86 code (scripts/probe-ia32.sh), also
# the 32-bit Wine, which runs the shipped i686 program in a WoW64 prefix.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
# clang only for its libFuzzer (the fuzz tests of the native-asan build); nsis
# (makensis) and p7zip-full (7z) build and read the release package;
# nlohmann-json3-dev (header only) reads Chrome's and Edge's bookmark files;
# fonts-wqy-microhei gives Wine's text a face with Chinese characters (Wine's
# own fonts and DejaVu have Latin, Greek and Cyrillic only).
need=(cmake make g++ clang libclang-rt-dev python3 googletest libgtest-dev libgmock-dev
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix nlohmann-json3-dev
      wine wine64 fonts-wine fonts-wqy-microhei xvfb x11-utils imagemagick fonts-dejavu-core time xdotool nsis
      p7zip-full openssl
      libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${need[@]}"; do installed "$p" || missing+=("$p"); done
export DEBIAN_FRONTEND=noninteractive
# A mirror caught mid-sync fails an index now and then ("File has unexpected
# size"): try again a little later, and let the install itself judge whether
# what was fetched is enough.
apt_update() {
  for attempt in 1 2 3 4; do
    apt-get update -q && return 0
    echo "deps: apt-get update failed (attempt $attempt), trying again" >&2
    sleep $((attempt * 10))
  done
  return 0
}
apt_install() {
  for attempt in 1 2 3; do
    apt-get install -y -q --no-install-recommends "$@" && return 0
    echo "deps: apt-get install failed (attempt $attempt), trying again" >&2
    sleep $((attempt * 10))
    apt_update
  done
  return 1
}
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  apt_update
  apt_install "${missing[@]}"
fi
# Only after the probe: where 32-bit code cannot run, wine32 would make the
# wine wrapper pick the 32-bit loader, and every wine call would fail.
if bash "$here/probe-ia32.sh"; then
  if ! installed wine32:i386; then
    echo "deps: installing wine32:i386 (this machine executes 32-bit code)"
    dpkg --add-architecture i386
    apt_update
    # Without it the x86_64 build is tested instead (scripts/test.sh says so
    # in its closing line): better than no test run at all.
    apt_install wine32:i386 ||
      echo "deps: wine32:i386 could not be installed (package mirror); the shipped i686 build will not be run" >&2
  fi
fi
