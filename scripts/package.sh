#!/usr/bin/env bash
# Builds the release from the shipped 32-bit build: build/package/tessaly-<version>.zip
# (tessaly.exe and help\) and the installer build/package/tessaly-<version>-setup.exe
# (NSIS, packaging/tessaly.nsi), which is also what the update server offers.
# Then reads both back with 7z and checks what they hold; exits non-zero when
# something is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
command -v makensis >/dev/null && command -v 7z >/dev/null || bash scripts/deps.sh
scripts/build.sh win32
version=$(sed -n 's/^#define TESSALY_VERSION_TEXT "\(.*\)"$/\1/p' app/version.h)
[ -n "$version" ] || { echo "package: no version in app/version.h" >&2; exit 1; }
out="$root/build/package"
stage="$out/stage"
rm -rf "$stage"
mkdir -p "$stage"
cp build/win32/app/tessaly.exe "$stage/"
cp -r help "$stage/help"
cp app/res/tessaly.ico "$stage/"   # the installer's own icon; not installed
zip="$out/tessaly-$version.zip"
setup="$out/tessaly-$version-setup.exe"
rm -f "$zip" "$setup"
(cd "$stage" && 7z a -tzip -bd -bso0 "$zip" tessaly.exe help)
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" packaging/tessaly.nsi

# What each file holds, as 7z lists it (it reads an NSIS installer as an
# archive: the files it installs, and the uninstaller it writes).
listing() { 7z l -slt "$1" | sed -n 's/^Path = //p' | tr '\\' '/'; }
check() {
  local archive=$1; shift
  local names missing=0
  names=$(listing "$archive")
  for want in "$@"; do
    grep -qxF "$want" <<<"$names" || { echo "package: $want missing in $archive" >&2; missing=1; }
  done
  return $missing
}
help_files=$(cd "$stage" && find help -type f | sort)
check "$zip" tessaly.exe $help_files
check "$setup" tessaly.exe uninstall.exe $help_files
# The installed program is the shipped file itself.
7z e -so "$setup" tessaly.exe | cmp -s - build/win32/app/tessaly.exe ||
  { echo "package: the installer's tessaly.exe is not build/win32/app/tessaly.exe" >&2; exit 1; }
ls -l "$zip" "$setup"
