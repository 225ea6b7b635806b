#!/usr/bin/env python3
"""Checks, without running it, that a Windows executable will find every
function it calls in a system library, read from the PE files themselves:

- its import table names only libraries that come with Windows, so the file
  runs without any DLL beside it (a missed static link would pull in
  libstdc++, libgcc or libwinpthread);
- every function it imports at start is exported by that library;
- the libraries it loads at the first call of one of their functions
  (framework/win/*_library.h) are not in its import table, the name of every
  such function is in the file, and each is exported by its library.

The libraries' export tables are read from Wine's builtin DLLs of the
executable's architecture (of the other one where that is not installed).

    check-imports.py EXE [EXE ...]
"""

import glob
import os
import re
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Libraries of Windows (98 and later) that the program and its later parts may use.
SYSTEM = set("""kernel32 user32 gdi32 advapi32 shell32 comctl32 comdlg32 ole32 oleaut32 oleacc
    shlwapi version winmm wsock32 ws2_32 msimg32 uxtheme msvcrt ntdll crypt32 windowscodecs""".split())

WINE_DLL_DIRS = {
    0x14C: ["/usr/lib/i386-linux-gnu/wine/i386-windows", "/usr/lib/wine/i386-windows"],
    0x8664: ["/usr/lib/x86_64-linux-gnu/wine/x86_64-windows", "/usr/lib/wine/x86_64-windows"],
}


class PeFile:
    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        d = self.data
        if d[:2] != b"MZ":
            raise ValueError("%s: not a PE file" % path)
        pe = struct.unpack_from("<I", d, 0x3C)[0]
        if d[pe:pe + 4] != b"PE\0\0":
            raise ValueError("%s: no PE signature" % path)
        self.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", d, pe + 4)
        optional = pe + 24
        magic = struct.unpack_from("<H", d, optional)[0]
        self.wide = magic == 0x20B
        directories = optional + (112 if self.wide else 96)
        self.directories = [struct.unpack_from("<II", d, directories + 8 * i) for i in range(16)]
        self.image_base = struct.unpack_from("<Q", d, optional + 24)[0] if self.wide else \
            struct.unpack_from("<I", d, optional + 28)[0]
        self.sections = []
        self.code = []  # (first, end) virtual addresses of the executable sections
        table = optional + optional_size
        for i in range(sections):
            name, vsize, va, rsize, raw = struct.unpack_from("<8sIIII", d, table + 40 * i)
            flags = struct.unpack_from("<I", d, table + 40 * i + 36)[0]
            self.sections.append((va, max(vsize, rsize), raw, rsize))
            if flags & 0x20000000:  # IMAGE_SCN_MEM_EXECUTE
                self.code.append((self.image_base + va, self.image_base + va + vsize))

    def offset(self, rva):
        for va, size, raw, _ in self.sections:
            if va <= rva < va + size:
                return raw + rva - va
        raise ValueError("RVA %#x is in no section" % rva)

    def text(self, rva):
        start = self.offset(rva)
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def imports(self):
        """{library in lower case: [function name or #ordinal]} of the import table."""
        rva, size = self.directories[1]
        found = {}
        if not rva:
            return found
        entry = self.offset(rva)
        thunk_size = 8 if self.wide else 4
        ordinal_flag = 1 << (63 if self.wide else 31)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, entry)
            if not name:
                break
            names = found.setdefault(self.text(name).lower(), [])
            thunk = self.offset(lookup or first)
            while True:
                value = struct.unpack_from("<Q" if self.wide else "<I", self.data, thunk)[0]
                if not value:
                    break
                names.append("#%d" % (value & 0xFFFF) if value & ordinal_flag else self.text((value & 0x7FFFFFFF) + 2))
                thunk += thunk_size
            entry += 20
        return found

    def pointer(self, offset):
        return struct.unpack_from("<Q" if self.wide else "<I", self.data, offset)[0]

    def linker_delay_imports(self):
        """[(library, function, slot value)] of the delay-import descriptors
        that the linker wrote, found by their shape (GNU ld does not enter
        them in the data directory): attributes 1, then the RVAs of the
        library's name, its module handle, its slots in the import address
        table and its name table."""
        iat, iat_size = self.directories[12]
        found = []
        for va, size, raw, rsize in self.sections:
            for at in range(raw, raw + rsize - 32, 4):
                attrs, name, hmod, slots, names = struct.unpack_from("<IIIII", self.data, at)
                if attrs != 1 or not (iat <= slots < iat + iat_size) or not names or not hmod:
                    continue
                try:
                    library = self.text(name).lower()
                    names_at, slots_at = self.offset(names), self.offset(slots)
                except ValueError:
                    continue
                if not library.endswith(".dll"):
                    continue
                step = 8 if self.wide else 4
                while self.pointer(names_at):
                    function = self.text((self.pointer(names_at) & 0x7FFFFFFF) + 2)
                    found.append((library, function, self.pointer(slots_at)))
                    names_at += step
                    slots_at += step
        return found

    def in_code(self, address):
        return any(first <= address < end for first, end in self.code)

    def exports(self):
        rva, size = self.directories[0]
        if not rva:
            return set()
        base = self.offset(rva)
        count, names = struct.unpack_from("<I4xI", self.data, base + 24)
        names = self.offset(names)
        return {self.text(struct.unpack_from("<I", self.data, names + 4 * i)[0]) for i in range(count)}


def first_use_functions():
    """{library: [function]} as framework/win/*_library.h declare them."""
    found = {}
    pattern = re.compile(r'TESSALY_SYSTEM_FUNCTION\("([^"]+)",\s*(\w+)\)')
    for header in sorted(glob.glob(os.path.join(ROOT, "framework", "win", "*_library.h"))):
        with open(header, encoding="utf-8") as f:
            for library, name in pattern.findall(f.read()):
                found.setdefault(library.lower(), []).append(name)
    return found


class Exports:
    def __init__(self, machine):
        other = [m for m in WINE_DLL_DIRS if m != machine]
        self.dirs = [d for m in [machine] + other for d in WINE_DLL_DIRS[m] if os.path.isdir(d)]
        self.cache = {}

    def of(self, library):
        if library not in self.cache:
            self.cache[library] = None
            for d in self.dirs:
                path = os.path.join(d, library)
                if os.path.exists(path):
                    self.cache[library] = PeFile(path).exports()
                    break
        return self.cache[library]


def check(exe):
    pe = PeFile(exe)
    exports = Exports(pe.machine)
    if not exports.dirs:
        print("check-imports: no Wine DLLs to read export tables from", file=sys.stderr)
        return False
    problems = []
    imports = pe.imports()
    if not imports:
        problems.append("no import table read")
    for library, names in sorted(imports.items()):
        stem = library.rsplit(".", 1)[0]
        if stem not in SYSTEM:
            problems.append("%s is not a system library" % library)
            continue
        exported = exports.of(library)
        if exported is None:
            problems.append("%s: no export table found to check against" % library)
            continue
        problems += ["%s does not export %s" % (library, n) for n in names
                     if not n.startswith("#") and n not in exported]
        print("  %-14s %3d functions" % (library, len(names)))
    # Functions the linker arranged to load at their first call: each slot
    # must hold the address of the stub that loads it. A slot left 0 makes
    # the first call jump to address 0.
    for library, function, slot in pe.linker_delay_imports():
        if not pe.in_code(slot):
            problems.append("%s from %s is loaded at first use by the linker's stub, but its slot "
                            "holds %#x, not the stub's address: its first call crashes" % (function, library, slot))
        exported = exports.of(library)
        if exported is not None and function not in exported:
            problems.append("%s does not export %s (loaded at first use)" % (library, function))
    for library, names in sorted(first_use_functions().items()):
        if library in imports:
            problems.append("%s is loaded at first use but also imported at start" % library)
        exported = exports.of(library) or set()
        missing_here = [n for n in names if n.encode("ascii") + b"\0" not in pe.data]
        problems += ["%s is loaded from %s at first use but its name is not in the file" % (n, library)
                     for n in missing_here]
        problems += ["%s does not export %s (loaded at first use)" % (library, n)
                     for n in names if n not in exported]
        print("  %-14s %3d functions, at first use" % (library, len(names)))
    for p in problems:
        print("check-imports: %s: %s" % (os.path.basename(exe), p), file=sys.stderr)
    if not problems:
        print("check-imports: %s (%s) finds every function it calls in a system library" % (
            exe, "x86_64" if pe.machine == 0x8664 else "i686"))
    return not problems


def main(argv):
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    ok = True
    for exe in argv[1:]:
        ok = check(exe) and ok
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
