#!/usr/bin/env python3
"""Checks the 32-bit lynxUtility.dll as a file, with the mingw binutils,
without running it:

  - its export table holds exactly the names of the legacy-32 columns of
    src/exports.txt (upper-case routines decorated _NAME@bytes, lower-case
    ones undecorated), and its export directory names lynxUtility.dll;
  - it imports the host's services decorated as a 32-bit host exports them,
    and otherwise only from the system's KERNEL32 and msvcrt;
  - it has no TLS directory (so the loader can switch off thread
    notifications) and no resource, and carries neither the identification
    records ("@(#)") nor the release text given by --release anywhere in
    the file (the 32-bit build reports no version);
  - every stdcall routine removes exactly its argument bytes: each `ret` of
    the routine's code, read from the disassembly, pops the count that its
    row of src/exports.txt gives (a routine that ends in a jump to another
    routine is followed there).

And, given a program that calls the DLL (--caller), that its import table
takes routines from lynxUtility.dll, each under a name that the DLL exports
(decorated _KXCONV@12 for a stdcall routine), and, given --calls, exactly
those: the program binds, even where it cannot run.

  check_image.py [--objdump PROGRAM] --exports src/exports.txt
                 --release VERSION lynxUtility.dll
                 [--caller PROGRAM.exe [--calls _KXCONV@12,...]]

Prints one line per failed check and exits 1 if any failed.
"""
import argparse
import re
import subprocess
import sys

# What the 32-bit library takes from the host, by DLL: the services it
# calls, bound as a 32-bit host exports them.  It imports neither SYSARY,
# c_usrmes nor NCHARS (it carries its own NCHARS).
HOST_IMPORTS = {
    "hxutility.dll": {"_GTUNTS@16", "_ERRMES@24", "_GTOUT@8", "_GTSTRG@20", "c_errmes"},
    "nolt.dll": {"_RTO_READ_QUOTED_STRING_F2C@40", "rto_read_quoted_string"},
}
SYSTEM_DLLS = {"kernel32.dll", "msvcrt.dll"}
DLL_NAME = "lynxUtility.dll"


def expected_exports(path):
    """{exported name: argument bytes, or None for a cdecl routine}."""
    exports = {}
    for line in open(path, encoding="utf-8"):
        line = line.strip()
        if not line or line.startswith("#"):
            continue
        _name, legacy, size = line.split()
        if legacy == "-":
            continue
        if size == "c":
            exports[legacy] = None
        else:
            exports["_%s@%s" % (legacy, size)] = int(size)
    return exports


def read_headers(objdump, dll):
    text = subprocess.run([objdump, "-p", dll], check=True, capture_output=True,
                          text=True).stdout
    base = int(re.search(r"^ImageBase\s+([0-9a-fA-F]+)", text, re.M).group(1), 16)
    directories = {}
    for m in re.finditer(r"^Entry ([0-9a-f]) ([0-9a-f]{8}) ([0-9a-f]{8}) (.*)$", text, re.M):
        directories[m.group(4).split(" [")[0].strip()] = (int(m.group(2), 16), int(m.group(3), 16))
    imports = {}
    current = None
    for line in text.splitlines():
        m = re.match(r"\s*DLL Name: (\S+)", line)
        if m:
            current = m.group(1).lower()
            imports[current] = set()
            continue
        m = re.match(r"\s+[0-9a-f]+\s+\d+\s+(\S+)$", line)
        if current and m:
            imports[current].add(m.group(1))
        elif current and not line.strip():
            current = None if imports[current] else current
    name = re.search(r"^Name\s+[0-9a-f]+\s+(\S+)", text, re.M)
    rvas = [int(m.group(1), 16) for m in
            re.finditer(r"^\s+\[\s*\d+\] \+base\[\s*\d+\] ([0-9a-f]+) Export RVA", text, re.M)]
    exports = {}
    table = text.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) == 2:
        for m in re.finditer(r"^\s+\[\s*(\d+)\] (\S+)$", table[1], re.M):
            exports[m.group(2)] = base + rvas[int(m.group(1))]
    return {
        "directories": directories,
        "imports": imports,
        "name": name.group(1) if name else None,
        "exports": exports,
    }


def read_code(objdump, dll):
    """Instructions in address order, and the addresses where labels begin."""
    text = subprocess.run([objdump, "-d", "--no-show-raw-insn", dll], check=True,
                          capture_output=True, text=True).stdout
    code = []
    labels = set()
    for line in text.splitlines():
        m = re.match(r"^([0-9a-f]+) <[^>]+>:$", line)
        if m:
            labels.add(int(m.group(1), 16))
            continue
        m = re.match(r"^\s*([0-9a-f]+):\s+(\S+)\s*(.*)$", line)
        if m:
            code.append((int(m.group(1), 16), m.group(2), m.group(3)))
    return code, labels


def popped_bytes(code, index, labels, start, depth=0):
    """The set of byte counts that the rets of the routine at `start` pop."""
    counts = set()
    jumps = []
    i = index[start]
    while i < len(code):
        address, op, operand = code[i]
        if address != start and address in labels:
            break
        if op.startswith("ret"):
            m = re.match(r"\$0x([0-9a-f]+)", operand)
            counts.add(int(m.group(1), 16) if m else 0)
        elif op == "jmp":
            m = re.match(r"([0-9a-f]+) <", operand)
            if m and int(m.group(1), 16) in labels:
                jumps.append(int(m.group(1), 16))
        i += 1
    if not counts and depth < 3:
        for target in jumps:
            counts |= popped_bytes(code, index, labels, target, depth + 1)
    return counts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    parser.add_argument("--exports", required=True)
    parser.add_argument("--release", required=True)
    parser.add_argument("dll")
    parser.add_argument("--caller")
    parser.add_argument("--calls", default="")
    args = parser.parse_args()

    failures = []
    expected = expected_exports(args.exports)
    image = read_headers(args.objdump, args.dll)

    found = set(image["exports"])
    for name in sorted(set(expected) - found):
        failures.append("export missing: %s" % name)
    for name in sorted(found - set(expected)):
        failures.append("export not in the list: %s" % name)
    if image["name"] != DLL_NAME:
        failures.append("export directory names %s, not %s" % (image["name"], DLL_NAME))

    for dll, names in sorted(image["imports"].items()):
        if dll in HOST_IMPORTS:
            if names != HOST_IMPORTS[dll]:
                failures.append("imports from %s: %s, expected %s" %
                                (dll, sorted(names), sorted(HOST_IMPORTS[dll])))
        elif dll not in SYSTEM_DLLS:
            failures.append("imports from %s: %s" % (dll, sorted(names)))
    for dll in sorted(set(HOST_IMPORTS) - set(image["imports"])):
        failures.append("no imports from %s" % dll)

    for directory in ("Thread Storage Directory", "Resource Directory"):
        address, size = image["directories"].get(directory, (None, None))
        if address is None:
            failures.append("objdump printed no %s entry" % directory)
        elif address or size:
            failures.append("has a %s (%08x, %d bytes)" % (directory, address, size))

    with open(args.dll, "rb") as f:
        contents = f.read()
    for text in ("@(#)", args.release):
        if text.encode() in contents:
            failures.append("carries the version text %r" % text)

    code, labels = read_code(args.objdump, args.dll)
    index = {address: i for i, (address, _, _) in enumerate(code)}
    checked = 0
    for name, size in sorted(expected.items()):
        if size is None or name not in image["exports"]:
            continue
        start = image["exports"][name]
        if start not in index:
            failures.append("%s: no code at %08x" % (name, start))
            continue
        counts = popped_bytes(code, index, labels, start)
        if counts != {size}:
            failures.append("%s: its ret pops %s bytes, expected %d" %
                            (name, sorted(counts) or "no", size))
        checked += 1

    caller = ""
    if args.caller:
        taken = read_headers(args.objdump, args.caller)["imports"].get(DLL_NAME.lower(), set())
        if not taken:
            failures.append("%s imports nothing from %s" % (args.caller, DLL_NAME))
        for name in sorted(taken - set(expected)):
            failures.append("%s imports %s, which %s does not export" %
                            (args.caller, name, DLL_NAME))
        if args.calls:
            calls = set(filter(None, args.calls.split(",")))
            for name in sorted(calls - taken):
                failures.append("%s does not import %s" % (args.caller, name))
            for name in sorted(taken - calls):
                failures.append("%s imports %s, not among --calls" % (args.caller, name))
        caller = ", %s's %d imports from it" % (args.caller, len(taken))

    for failure in failures:
        print("check_image: " + failure)
    print("check_image: %s: %d exports, %d stdcall routines' argument bytes, imports, "
          "TLS and resource directories, version texts%s checked: %s" %
          (args.dll, len(expected), checked, caller, "FAILED" if failures else "all as expected"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
