#!/usr/bin/env python3
"""Checks that the built saver loads on every system it promises.

The loader of Windows 95, 98, Me and NT 4.0 refuses an executable that
imports a function their DLLs do not export, and Wine never shows it. So every
imported function must stand in system_functions.tsv with the oldest systems
that export it, and those must be Windows 95 and NT 4.0 at the latest; what is
newer is looked up at run time and must not be imported. The header must ask
for no newer system than 4.0 either.

Usage: check_imports.py SAVER TABLE
"""
import struct
import sys

OLDEST_NINE_X = {"95", "95-stub"}
OLDEST_NT = {"3.1", "3.5", "3.51", "4.0"}


def read_table(path):
    table = {}
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line or line.startswith("#") or line.startswith("dll\t"):
            continue
        dll, function, nine_x, nt, use = line.split("\t")[:5]
        table[(dll, function)] = (nine_x, nt, use)
    return table


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE file")
        sections = struct.unpack_from("<H", data, pe + 6)[0]
        optional_size = struct.unpack_from("<H", data, pe + 20)[0]
        self.optional = pe + 24
        if struct.unpack_from("<H", data, self.optional)[0] != 0x10B:
            raise ValueError("not a 32-bit image")
        self.sections = []
        table = self.optional + optional_size
        for i in range(sections):
            virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", data, table + 40 * i + 8)
            self.sections.append((rva, max(virtual_size, raw_size), raw))

    def versions(self):
        os_major, os_minor = struct.unpack_from("<HH", self.data, self.optional + 40)
        sub_major, sub_minor = struct.unpack_from("<HH", self.data, self.optional + 48)
        return (os_major, os_minor), (sub_major, sub_minor)

    def offset(self, rva):
        for start, size, raw in self.sections:
            if start <= rva < start + size:
                return raw + rva - start
        raise ValueError("address %#x lies in no section" % rva)

    def string(self, rva):
        at = self.offset(rva)
        return self.data[at:self.data.index(b"\0", at)].decode("ascii")

    def imports(self):
        """(DLL, function) pairs; an import by ordinal gives '#n'."""
        rva = struct.unpack_from("<I", self.data, self.optional + 96 + 8)[0]
        found = []
        at = self.offset(rva)
        while True:
            lookup, _, _, name, first = struct.unpack_from("<IIIII", self.data, at)
            if not name:
                return found
            dll = self.string(name).upper()
            if dll.endswith(".DLL"):
                dll = dll[:-4]
            thunk = self.offset(lookup or first)
            while True:
                entry = struct.unpack_from("<I", self.data, thunk)[0]
                if not entry:
                    break
                if entry & 0x80000000:
                    found.append((dll, "#%d" % (entry & 0xFFFF)))
                else:
                    found.append((dll, self.string(entry + 2)))
                thunk += 4
            at += 20


def main(saver, table_path):
    image = Image(open(saver, "rb").read())
    table = read_table(table_path)
    problems = []
    os_version, subsystem = image.versions()
    if os_version != (4, 0) or subsystem != (4, 0):
        problems.append("header asks for OS %d.%d, subsystem %d.%d; both must stay 4.0"
                        % (os_version + subsystem))
    imported = image.imports()
    stubs = []
    for dll, function in imported:
        row = table.get((dll, function))
        if row is None:
            problems.append("%s!%s is imported but not in the table: find the oldest systems "
                            "that export it and add it" % (dll, function))
            continue
        nine_x, nt, use = row
        if use != "import":
            problems.append("%s!%s is imported, but the table says the saver looks it up at "
                            "run time" % (dll, function))
        elif nine_x not in OLDEST_NINE_X or nt not in OLDEST_NT:
            problems.append("%s!%s first came with %s / NT %s: Windows 95 or NT 4.0 would refuse "
                            "to load the saver; look it up at run time" % (dll, function, nine_x, nt))
        elif nine_x.endswith("-stub"):
            stubs.append("%s!%s" % (dll, function))
    stale = sorted("%s!%s" % key for key, row in table.items()
                   if row[2] == "import" and key not in set(imported))
    print("%d imports from %d DLLs checked" % (len(imported), len({d for d, _ in imported})))
    if stubs:
        print("exported but failing on the 9x family: " + ", ".join(stubs))
    if stale:
        print("in the table but no longer imported: " + ", ".join(stale))
    for problem in problems:
        print("FAIL " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
