#!/usr/bin/env bash
# Builds the release from the shipped 32-bit build: build/package/tessaly-<version>.zip
# (tessaly.exe and help\) and the installer build/package/tessaly-<version>-setup.exe
# (NSIS, packaging/tessaly.nsi), which is also what the update server offers,
# with its signature tessaly-<version>-setup.exe.sig made with the private key
# that TESSALY_SIGNING_KEY names (default: the test key, with a warning).
# Then reads both back with 7z, checks what they hold and checks the signature
# against the public key the shipped program holds; exits non-zero when
# something is missing or does not match.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
command -v makensis >/dev/null && command -v 7z >/dev/null && command -v openssl >/dev/null || bash scripts/deps.sh
signing_key=${TESSALY_SIGNING_KEY:-$root/tests/keys/update-test.pem}
if [ -z "${TESSALY_SIGNING_KEY:-}" ]; then
  echo "package: WARNING: signing with the TEST key (tests/keys/update-test.pem, public in the repository);" \
       "set TESSALY_SIGNING_KEY to the maker's private key for a release" >&2
fi
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
# The signature the update check verifies before it offers to run the
# installer: RSA over SHA-256, against the public key compiled into the
# shipped program, read back out of the program itself.
openssl dgst -sha256 -sign "$signing_key" -out "$setup.sig" "$setup"
built_in="$out/built-in-key.pub"
python3 - build/win32/app/tessaly.exe "$built_in" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
begin, end = b"-----BEGIN PUBLIC KEY-----", b"-----END PUBLIC KEY-----"
start = data.find(begin)
stop = data.find(end, start)
if start < 0 or stop < 0:
    sys.exit("package: no public key found in the shipped program")
open(sys.argv[2], "wb").write(data[start:stop + len(end)] + b"\n")
PY
openssl dgst -sha256 -verify "$built_in" -signature "$setup.sig" "$setup" >/dev/null ||
  { echo "package: the installer's signature does not verify with the key the shipped program holds" >&2; exit 1; }
ls -l "$zip" "$setup" "$setup.sig"
