#!/usr/bin/env python3
"""Checks a release package: exactly the expected files, no SimConnect
library and no test double, every binary a 32-bit PE with a version
resource that imports only Windows system libraries.

    scripts/check-package.py dist/pivora-<version>.zip
    scripts/check-package.py --self-test dist/pivora-<version>.zip

--self-test makes faulty copies of a good package and expects each one to
be refused, so that a check that lets everything pass cannot go unnoticed.
"""
import os
import struct
import sys
import tempfile
import zipfile

EXPECTED = {
    "pivora/pivora.dll",
    "pivora/pivorasrv.exe",
    "unrigger.exe",
    "pivora-install.exe",
    "setup.lst",
    "dll-entry.txt",
    "INSTALL.txt",
}
# Names of our test doubles and harnesses, and the vendor library we never ship.
FORBIDDEN = ("simconnect", "replay", "double", "standin", "st6unst", "sim_host", "viewer", "test", ".rec")
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "shlwapi.dll", "advapi32.dll",
               "msvcrt.dll", "winmm.dll", "hid.dll", "comctl32.dll", "ole32.dll"}


def pe_facts(data):
    """(machine, imported DLL names, has version resource) of a PE file."""
    if data[:2] != b"MZ":
        raise ValueError("not a PE file")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE header")
    machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
    optional = pe + 24
    if struct.unpack_from("<H", data, optional)[0] != 0x10B:
        raise ValueError("not PE32")
    directories = optional + 96
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]
    resource_rva = struct.unpack_from("<I", data, directories + 16)[0]
    table = optional + optional_size
    spans = []
    for i in range(sections):
        _, vsize, vaddr, rsize, raddr = struct.unpack_from("<8sIIII", data, table + 40 * i)
        spans.append((vaddr, max(vsize, rsize), raddr))

    def offset(rva):
        for vaddr, size, raddr in spans:
            if vaddr <= rva < vaddr + size:
                return rva - vaddr + raddr
        raise ValueError("rva outside the sections")

    def cstring(rva):
        start = offset(rva)
        return data[start:data.index(b"\0", start)].decode("ascii")

    imports = []
    entry = offset(import_rva)
    while True:
        name_rva = struct.unpack_from("<I", data, entry + 12)[0]
        if name_rva == 0:
            break
        imports.append(cstring(name_rva))
        entry += 20
    has_version = False
    if resource_rva:
        root = offset(resource_rva)
        named, ids = struct.unpack_from("<HH", data, root + 12)
        for i in range(named, named + ids):  # entries by id follow the named ones
            rid = struct.unpack_from("<I", data, root + 16 + 8 * i)[0]
            has_version |= rid == 16  # RT_VERSION
    return machine, imports, has_version and "FileVersion".encode("utf-16-le") in data


def check(path):
    problems = []
    with zipfile.ZipFile(path) as package:
        names = {n for n in package.namelist() if not n.endswith("/")}
        for missing in sorted(EXPECTED - names):
            problems.append("missing: " + missing)
        for extra in sorted(names - EXPECTED):
            problems.append("not part of the package: " + extra)
        for name in sorted(names):
            if any(word in name.lower() for word in FORBIDDEN):
                problems.append("test double or vendor library: " + name)
            if not name.lower().endswith((".dll", ".exe")):
                continue
            try:
                machine, imports, has_version = pe_facts(package.read(name))
            except (ValueError, struct.error) as error:
                problems.append(f"{name}: {error}")
                continue
            if machine != 0x14C:
                problems.append(f"{name}: machine {machine:#x}, not i386")
            if not has_version:
                problems.append(f"{name}: no version resource")
            for dll in imports:
                if dll.lower() not in SYSTEM_DLLS:
                    problems.append(f"{name}: imports {dll}")
    return problems, len(names)


def self_test(good):
    with zipfile.ZipFile(good) as package:
        files = {n: package.read(n) for n in package.namelist() if not n.endswith("/")}
    exe = files["pivora/pivorasrv.exe"]
    no_version = exe.replace("FileVersion".encode("utf-16-le"), "FileVersioX".encode("utf-16-le"))
    foreign = exe.replace(b"WINMM.DLL", b"LIBXX.DLL").replace(b"winmm.dll", b"libxx.dll")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    amd64 = exe[:pe + 4] + struct.pack("<H", 0x8664) + exe[pe + 6:]
    faults = {
        "the vendor library": {**files, "pivora/simconnect.dll": b"MZ"},
        "a test double": {**files, "pivora/replay.rec": b"0 0 0 0 0 0 0 0\n"},
        "a missing file": {k: v for k, v in files.items() if k != "INSTALL.txt"},
        "a binary without version": {**files, "pivora/pivorasrv.exe": no_version},
        "a foreign import": {**files, "pivora/pivorasrv.exe": foreign},
        "a 64-bit binary": {**files, "pivora/pivorasrv.exe": amd64},
    }
    failures = []
    with tempfile.TemporaryDirectory() as scratch:
        for what, content in faults.items():
            path = os.path.join(scratch, "bad.zip")
            with zipfile.ZipFile(path, "w") as bad:
                for name, data in content.items():
                    bad.writestr(name, data)
            if not check(path)[0]:
                failures.append("accepted a package with " + what)
    if check(good)[0]:
        failures.append("refused the good package")
    for failure in failures:
        print(failure, file=sys.stderr)
    if not failures:
        print(f"refused all {len(faults)} faulty packages")
    return 1 if failures else 0


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--self-test":
        return self_test(sys.argv[2])
    problems, count = check(sys.argv[1])
    for problem in problems:
        print(problem, file=sys.stderr)
    if problems:
        return 1
    print(f"{sys.argv[1]}: {count} files, as expected")
    return 0


if __name__ == "__main__":
    sys.exit(main())
