#!/usr/bin/env python3
"""Writes the release archive a Windows user takes: the saver and its
Japanese readme, the same bytes for the same inputs.

  make-release.py SAVER README_SOURCE VERSION DATE ZIP

The readme source is UTF-8 with LF; the archive holds it in code page 932
with CR LF, with @VERSION@ and @SHA256@ filled in. Entry names are code
page 932 bytes without the UTF-8 flag, as the zip folders and archivers of
Japanese Windows read them; entries are stored, dated DATE at midnight."""
import hashlib
import struct
import sys
import zlib
from pathlib import Path

README_NAME = "お読みください.txt"
# Notepad on the oldest systems does not wrap lines by default.
MAX_LINE_BYTES = 78


def readme_bytes(source, version, digest):
    text = source.read_text(encoding="utf-8")
    if "\r" in text or not text.endswith("\n"):
        sys.exit(f"{source}: LF line ends only, and one after the last line")
    text = text.replace("@VERSION@", version).replace("@SHA256@", digest)
    if "@" in text:
        sys.exit(f"{source}: a placeholder is left: {text[text.index('@'):][:20]!r}")
    encoded = text.replace("\n", "\r\n").encode("cp932")
    for number, line in enumerate(encoded.split(b"\r\n"), 1):
        if len(line) > MAX_LINE_BYTES:
            sys.exit(f"{source}:{number}: {len(line)} bytes, more than {MAX_LINE_BYTES}")
    return encoded


def zip_bytes(entries, date):
    year, month, day = (int(part) for part in date.split("-"))
    dos_date, dos_time = (year - 1980) << 9 | month << 5 | day, 0
    body, directory = bytearray(), bytearray()
    for name, data in entries:
        raw_name = name.encode("cp932")
        # Version 1.0, no flags (so no UTF-8 names), stored.
        common = struct.pack("<HHHHHIIIH", 10, 0, 0, dos_time, dos_date, zlib.crc32(data),
                             len(data), len(data), len(raw_name))
        # Made by MS-DOS: names in the OEM code page, attributes as FAT keeps them.
        directory += (struct.pack("<IH", 0x02014B50, 20) + common +
                      struct.pack("<HHHHII", 0, 0, 0, 0, 0x20, len(body)) + raw_name)
        body += struct.pack("<I", 0x04034B50) + common + struct.pack("<H", 0) + raw_name + data
    end = struct.pack("<IHHHHIIH", 0x06054B50, 0, 0, len(entries), len(entries), len(directory),
                      len(body), 0)
    return bytes(body + directory + end)


def main():
    saver, source, version, date, out = sys.argv[1:6]
    scr = Path(saver).read_bytes()
    readme = readme_bytes(Path(source), version, hashlib.sha256(scr).hexdigest())
    out = Path(out)
    out.parent.mkdir(parents=True, exist_ok=True)
    for old in out.parent.glob("zarumo-*.zip"):
        old.unlink()
    out.write_bytes(zip_bytes([("zarumo.scr", scr), (README_NAME, readme)], date))


main()
