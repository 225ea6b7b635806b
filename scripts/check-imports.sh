#!/usr/bin/env bash
# Checks that a Windows executable imports only libraries that come with
# Windows itself, so that the shipped file runs without any DLL beside it (a
# missed static link would pull in libstdc++, libgcc or libwinpthread).
#   check-imports.sh EXE [OBJDUMP]
set -euo pipefail
exe=${1:?executable}
objdump=${2:-i686-w64-mingw32-objdump}
# Libraries of Windows (98 and later) that the program and its later parts may use.
system="kernel32 user32 gdi32 advapi32 shell32 comctl32 comdlg32 ole32 oleaut32 oleacc shlwapi
        version winmm wsock32 ws2_32 msimg32 uxtheme msvcrt ntdll"
# Libraries loaded at their first use (cmake/delay_load.cmake) are not in the
# import table; they are named in the build files and are all Windows' own.
imports=$("$objdump" -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
[ -n "$imports" ] || { echo "check-imports: no import table read from $exe" >&2; exit 1; }
status=0
for dll in $imports; do
  name=$(tr '[:upper:]' '[:lower:]' <<<"${dll%.*}")
  if [[ " $(echo $system) " == *" $name "* ]]; then
    echo "  $dll"
  else
    echo "  $dll   <- not a system library" >&2
    status=1
  fi
done
[ $status -eq 0 ] && echo "check-imports: $(basename "$exe") imports only system libraries"
exit $status
