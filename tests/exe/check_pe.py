#!/usr/bin/env python3
"""Checks the shipped executable's header: a 32-bit GUI program with ASLR
and DEP on, relocations kept (without them ASLR cannot move it), and only
system DLLs imported, each present in the Wine prefix's system folder."""
import os
import struct
import sys

SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "ole32.dll",
               "advapi32.dll", "comctl32.dll", "msvcrt.dll", "oleaut32.dll", "msimg32.dll",
               "uxtheme.dll", "version.dll"}


def read_pe(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "not a PE file"
    machine, sections, _, _, _, opt_size, characteristics = struct.unpack_from("<HHIIIHH", data, pe + 4)
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    subsystem, dll_chars = struct.unpack_from("<HH", data, opt + 68)
    dirs = opt + 96
    import_rva = struct.unpack_from("<I", data, dirs + 8)[0]
    reloc_rva, reloc_size = struct.unpack_from("<II", data, dirs + 40)
    table = []
    for i in range(sections):
        name, vsize, va, rsize, raw = struct.unpack_from("<8sIIII", data, opt + opt_size + 40 * i)
        table.append((va, max(vsize, rsize), raw))

    def offset(rva):
        for va, size, raw in table:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError(hex(rva))

    imports = []
    at = offset(import_rva)
    while True:
        lookup, _, _, name_rva, thunk = struct.unpack_from("<IIIII", data, at)
        if not (lookup or name_rva or thunk):
            break
        name_at = offset(name_rva)
        imports.append(data[name_at:data.index(b"\0", name_at)].decode().lower())
        at += 20
    return dict(machine=machine, magic=magic, subsystem=subsystem, dll_chars=dll_chars,
                characteristics=characteristics, relocs=reloc_size, imports=imports)


def main():
    exe = sys.argv[1]
    pe = read_pe(exe)
    failures = []
    def check(ok, what):
        print(("ok   " if ok else "FAIL ") + what)
        if not ok:
            failures.append(what)
    check(pe["machine"] == 0x14C and pe["magic"] == 0x10B, "PE32 for i386")
    check(pe["subsystem"] == 2, "GUI subsystem")
    check(pe["dll_chars"] & 0x0040, "ASLR (dynamic base)")
    check(pe["dll_chars"] & 0x0100, "DEP (NX compatible)")
    check(pe["relocs"] > 0 and not pe["characteristics"] & 0x0001, "relocations kept")
    system32 = os.path.join(os.environ.get("WINEPREFIX", ""), "drive_c", "windows", "system32")
    for dll in pe["imports"]:
        present = not os.environ.get("WINEPREFIX") or os.path.exists(os.path.join(system32, dll))
        check(dll in SYSTEM_DLLS and present, f"imports only system DLLs: {dll}")
    print(f"{len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
