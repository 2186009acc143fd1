#!/usr/bin/env python3
"""Checks the release archive as a Japanese Windows reads it, and that the
saver in it names no folder of the build.

  check_release.py ZIP SAVER VERSION SOURCE_DIR BUILD_DIR"""
import hashlib
import re
import sys
import zipfile
from pathlib import Path

archive, saver, version, *build_dirs = sys.argv[1:]
scr = Path(saver).read_bytes()
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


names = ["zarumo.scr", "お読みください.txt"]
with zipfile.ZipFile(archive, metadata_encoding="cp932") as zip_file:
    infos = zip_file.infolist()
    check([info.filename for info in infos] == names, f"entries {zip_file.namelist()}")
    check(zip_file.testzip() is None, "an entry fails its CRC")
    # No UTF-8 flag: the names are code page 932 bytes, as the system's own zip
    # folders and the archivers of its 9x days read them.
    check(all(info.flag_bits & 0x800 == 0 for info in infos), "an entry has the UTF-8 flag")
    entries = {info.filename: zip_file.read(info) for info in infos}

check(entries.get("zarumo.scr") == scr, "the archive's zarumo.scr is not the product")
readme = entries.get("お読みください.txt", b"")
check(readme.endswith(b"\r\n") and b"\n" not in readme.replace(b"\r\n", b"") and
      b"\r" not in readme.replace(b"\r\n", b""), "the readme's lines do not all end in CR LF")
try:
    text = readme.decode("cp932")
except UnicodeDecodeError as error:
    check(False, f"the readme is not code page 932: {error}")
    text = ""
lines = text.split("\r\n")
check(f"SHA-256: {hashlib.sha256(scr).hexdigest()}" in lines, "no line with the saver's SHA-256")
check(re.search(f"\\b{re.escape(version)}\\r\\n", text) is not None, f"no version {version}")

for folder in build_dirs:
    check(folder.encode() not in scr, f"the saver names the build folder {folder}")

for failure in failures:
    print("FAIL:", failure)
print(f"{0 if failures else 1} passed, {len(failures) and 1} failed")
sys.exit(1 if failures else 0)
