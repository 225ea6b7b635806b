#!/usr/bin/env bash
# Exits 0 when this machine executes 32-bit x86 code, 1 when it does not.
# Probes rather than guesses from uname: a 64-bit kernel may have its IA-32
# emulation turned off, and then every 32-bit program (and with wine32
# installed, every wine call) fails. The probe is the smallest 32-bit ELF
# program there is: it asks the kernel, through int 0x80, to exit with 42.
set -uo pipefail
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
python3 - "$dir/probe" <<'PY'
import struct, sys
code = bytes([0xB8, 1, 0, 0, 0,      # mov eax, 1 (exit)
              0xBB, 42, 0, 0, 0,     # mov ebx, 42
              0xCD, 0x80])           # int 0x80
base, header, program = 0x08048000, 52, 32
ident = b"\x7fELF" + bytes([1, 1, 1]) + bytes(9)     # 32-bit, little-endian, version 1
elf = ident + struct.pack("<HHIIIIIHHHHHH", 2, 3, 1, base + header + program, header, 0, 0,
                          header, program, 1, 0, 0, 0)
size = header + program + len(code)
elf += struct.pack("<IIIIIIII", 1, 0, base, base, size, size, 5, 0x1000)   # PT_LOAD, read + execute
with open(sys.argv[1], "wb") as f:
    f.write(elf + code)
PY
chmod +x "$dir/probe"
"$dir/probe" 2>/dev/null
[ $? -eq 42 ]
