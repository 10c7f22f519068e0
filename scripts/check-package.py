#!/usr/bin/env python3
"""Checks a release package: exactly the expected files, no SimConnect
library and no test double, every binary a 32-bit PE with a version
resource that imports only Windows system libraries and only functions that
Windows XP SP2 has (xp_imports.py), and every program with a manifest that
XP accepts, the right execution level, every supportedOS entry and the DPI
awareness its layout code needs.

    scripts/check-package.py dist/pivora-<version>.zip
    scripts/check-package.py --self-test dist/pivora-<version>.zip

--self-test makes faulty copies of a good package and expects each one to
be refused, so that a check that lets everything pass cannot go unnoticed.
"""
import os
import re
import struct
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zipfile

import xp_imports

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
# The execution level of each program: the install helper elevates an
# administrator (who keeps their own profile) and runs anybody else as
# themself; the others never need more than the user has.
EXECUTION_LEVEL = {
    "pivora/pivorasrv.exe": "asInvoker",
    "unrigger.exe": "asInvoker",
    "pivora-install.exe": "highestAvailable",
}
# Whether each program lays its window out at the system's DPI itself (then
# it must say so, or Windows stretches it blurred); the install helper is a
# console program.
DPI_AWARE = {"pivora/pivorasrv.exe": "true", "unrigger.exe": "true", "pivora-install.exe": "false"}
# Vista, 7, 8, 8.1, and 10 and 11 (which share one).
SUPPORTED_OS = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "shell32.dll", "shlwapi.dll", "advapi32.dll",
               "msvcrt.dll", "winmm.dll", "hid.dll", "comctl32.dll", "ole32.dll"}


class PeFacts:
    """What the checks need to know of one PE file."""
    machine = 0
    imports = None           # {dll name: [function names, or "#<ordinal>"]}
    has_version = False
    manifest = None          # the RT_MANIFEST resource's bytes
    manifest_type_at = None  # file offset of the root entry naming RT_MANIFEST


def pe_facts(data):
    if data[:2] != b"MZ":
        raise ValueError("not a PE file")
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE header")
    facts = PeFacts()
    facts.machine, sections, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
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

    def cstring(at):
        return data[at:data.index(b"\0", at)].decode("ascii")

    facts.imports = {}
    entry = offset(import_rva)
    while True:
        lookup, _, _, name_rva, thunks = struct.unpack_from("<IIIII", data, entry)
        if name_rva == 0:
            break
        names = facts.imports.setdefault(cstring(offset(name_rva)), [])
        at = offset(lookup or thunks)
        while True:
            thunk = struct.unpack_from("<I", data, at)[0]
            if thunk == 0:
                break
            names.append(f"#{thunk & 0xFFFF}" if thunk & 0x80000000 else cstring(offset(thunk) + 2))
            at += 4
        entry += 20
    if resource_rva:
        root = offset(resource_rva)

        def entries(directory):
            named, ids = struct.unpack_from("<HH", data, directory + 12)
            for i in range(named + ids):
                at = directory + 16 + 8 * i
                rid, target = struct.unpack_from("<II", data, at)
                yield at, rid, target

        def first_leaf(target):
            while target & 0x80000000:  # a subdirectory: take its first entry
                target = next(entries(root + (target & 0x7FFFFFFF)))[2]
            rva, size = struct.unpack_from("<II", data, root + target)
            return data[offset(rva):offset(rva) + size]

        for at, rid, target in entries(root):
            if rid == 16:  # RT_VERSION
                facts.has_version = "FileVersion".encode("utf-16-le") in first_leaf(target)
            if rid == 24:  # RT_MANIFEST
                facts.manifest, facts.manifest_type_at = first_leaf(target), at
    return facts


def manifest_problems(name, manifest):
    if manifest is None:
        return [f"{name}: no application manifest"]
    text = manifest.decode("utf-8", "replace")
    try:
        root = ElementTree.fromstring(manifest)
    except ElementTree.ParseError as error:
        return [f"{name}: manifest is not well-formed: {error}"]
    found = []
    # Windows XP SP2 restarts on an element that declares two namespaces.
    if re.search(r"<[^>]*\sxmlns(:\w+)?=[^>]*\sxmlns(:\w+)?=", text):
        found.append(f"{name}: manifest declares two namespaces on one element")
    # ... and refuses a trustInfo outside the asm.v2 (or v3) namespace.
    if root.find("{urn:schemas-microsoft-com:asm.v2}trustInfo") is None and \
       root.find("{urn:schemas-microsoft-com:asm.v3}trustInfo") is None:
        found.append(f"{name}: manifest has no trustInfo in the asm.v2 namespace")
    levels = [e.get("level") for e in root.iter() if e.tag.endswith("}requestedExecutionLevel")]
    if levels != [EXECUTION_LEVEL[name]]:
        found.append(f"{name}: execution level {levels}, not {EXECUTION_LEVEL[name]}")
    supported = {e.get("Id", "").lower() for e in root.iter() if e.tag.endswith("}supportedOS")}
    for missing in sorted(SUPPORTED_OS - supported):
        found.append(f"{name}: manifest lacks supportedOS {missing}")
    aware = [(e.text or "").strip().lower() for e in root.iter() if e.tag.endswith("}dpiAware")]
    if aware != [DPI_AWARE[name]]:
        found.append(f"{name}: dpiAware {aware}, not {DPI_AWARE[name]} as its layout code needs")
    return found


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
                facts = pe_facts(package.read(name))
            except (ValueError, struct.error, IndexError) as error:
                problems.append(f"{name}: {error}")
                continue
            if facts.machine != 0x14C:
                problems.append(f"{name}: machine {facts.machine:#x}, not i386")
            if not facts.has_version:
                problems.append(f"{name}: no version resource")
            for dll in facts.imports:
                if dll.lower() not in SYSTEM_DLLS:
                    problems.append(f"{name}: imports {dll}")
            problems += xp_imports.problems(name, facts.imports)
            if name.endswith(".exe"):
                problems += manifest_problems(name, facts.manifest)
    return problems, len(names)


def renamed_import(data, new):
    """data with its first import name at least as long as `new` renamed to it."""
    facts = pe_facts(data)
    old = next(n for names in facts.imports.values() for n in names if len(n) >= len(new))
    return data.replace(old.encode() + b"\0", new.encode() + b"\0" * (len(old) - len(new) + 1))


def self_test(good):
    with zipfile.ZipFile(good) as package:
        files = {n: package.read(n) for n in package.namelist() if not n.endswith("/")}
    exe = files["pivora/pivorasrv.exe"]
    no_version = exe.replace("FileVersion".encode("utf-16-le"), "FileVersioX".encode("utf-16-le"))
    foreign = exe.replace(b"WINMM.DLL", b"LIBXX.DLL").replace(b"winmm.dll", b"libxx.dll")
    pe = struct.unpack_from("<I", exe, 0x3C)[0]
    amd64 = exe[:pe + 4] + struct.pack("<H", 0x8664) + exe[pe + 6:]
    dll = files["pivora/pivora.dll"]
    unmanifested = bytearray(exe)
    struct.pack_into("<I", unmanifested, pe_facts(exe).manifest_type_at, 0x7FFF)
    install = files["pivora-install.exe"]
    as_invoker = install.replace(b'level="highestAvailable"', b'level="asInvoker"       ')
    faults = {
        "a binary importing GetTickCount64": {**files, "pivora/pivora.dll": renamed_import(dll, "GetTickCount64")},
        "a binary importing a Vista-only function": {**files, "unrigger.exe": renamed_import(files["unrigger.exe"], "GetProductInfo")},
        "a program without a manifest": {**files, "pivora/pivorasrv.exe": bytes(unmanifested)},
        "a scaling window that leaves its scaling to Windows":
            {**files, "pivora/pivorasrv.exe": exe.replace(b">true</dpiAware>", b">none</dpiAware>")},
        "an install helper that does not elevate administrators": {**files, "pivora-install.exe": as_invoker},
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
