#!/usr/bin/env bash
# Installs what building and testing Tessaly needs on Debian 12 (run as root).
# Packages already present are left alone, so a second run costs a second.
set -euo pipefail
# Never wine32 or the i386 architecture: this machine cannot run 32-bit code,
# and with wine32 present the wine wrapper picks the 32-bit loader and fails.
# clang only for its libFuzzer (the fuzz tests of the native-asan build); nsis
# (makensis) and p7zip-full (7z) build and read the release package.
need=(cmake make g++ clang libclang-rt-dev python3 googletest libgtest-dev libgmock-dev
      g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
      wine wine64 fonts-wine xvfb x11-utils imagemagick xdotool nsis p7zip-full
      libxrender1 libxrandr2 libxi6 libxcursor1 libxinerama1 libxcomposite1 libxfixes3)
missing=()
for p in "${need[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "deps: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
