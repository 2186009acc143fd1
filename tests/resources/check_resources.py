#!/usr/bin/env python3
"""Checks what the built saver carries: one icon, the two pictures as
committed, the picture pane's template, its description and version.

  check_resources.py SAVER RESOURCE_DIR VERSION PRODUCT_VERSION"""
import re
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

scr, resources = Path(sys.argv[1]), Path(sys.argv[2])
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


listing = subprocess.run(["wrestool", "-l", str(scr)], capture_output=True, text=True,
                         check=True).stdout.splitlines()
by_type = {}
for line in listing:
    fields = dict(part.split("=", 1) for part in line.split() if part.startswith("--"))
    by_type.setdefault(fields["--type"], []).append(fields["--name"])

check(by_type.get("14") == ["'MAINICON'"], f"icon groups: {by_type.get('14')}")
check(len(by_type.get("3", [])) == 1, f"icon images: {by_type.get('3')}")


def extract(kind, name):
    with tempfile.TemporaryDirectory() as out:
        subprocess.run(["wrestool", "-x", "--raw", f"--type={kind}", f"--name={name}", "-o",
                        f"{out}/r", str(scr)], check=True)
        return Path(f"{out}/r").read_bytes()


icon = extract(3, 1)
size, width, height2, planes, bits = struct.unpack_from("<IiiHH", icon)
check((size, width, height2, bits) == (40, 32, 64, 4), f"icon image {width}x{height2 // 2}x{bits}")

for name, file in ((100, "banner.bmp"), (101, "fallback.bmp")):
    check(extract(2, name) == (resources / file).read_bytes()[14:], f"bitmap {name} differs from {file}")



def dialog_template(data):
    """A DIALOG template's frame, font and items, with texts and class names."""
    pos = 0

    def take(fmt):
        nonlocal pos
        values = struct.unpack_from(fmt, data, pos)
        pos += struct.calcsize(fmt)
        return values

    def name():
        if take("<H")[0] == 0xFFFF:
            return take("<H")[0]
        nonlocal pos
        end = pos - 2
        while data[end:end + 2] != b"\0\0":
            end += 2
        text, pos = data[pos - 2:end].decode("utf-16-le"), end + 2
        return text

    style, ex_style, count, *frame = take("<IIHhhhh")
    frame = (style, ex_style, *frame, name(), name(), name())
    font = (take("<H")[0], name()) if style & 0x40 else None
    items = []
    for _ in range(count):
        pos = (pos + 3) // 4 * 4
        style, ex_style, *place, item_id = take("<IIhhhhH")
        items.append((item_id, style, ex_style, *place, name(), name(), take("<H")[0]))
    return frame, font, items


# The picture pane beside the open dialog: the hidden stand-in for the
# dialog's own controls, the caption, the preview button and the area.
check(by_type.get("5") == ["200"], f"dialogs: {by_type.get('5')}")
pane = dialog_template(extract(5, 200))
check(pane[:2] == ((0x44000444, 0, 0, 0, 116, 120, "", "", ""), (9, "MS Shell Dlg")),
      f"pane frame {pane[:2]}")
check(pane[2] == [(0x45F, 0x40000000, 0, 0, 0, 8, 120, 0x82, "", 0),
                  (0x5A01, 0x50000280, 0, 12, 4, 81, 14, 0x82, "", 0),
                  (0x5A02, 0x58010040, 0, 97, 4, 15, 14, 0x80, "", 0),
                  (0x5A03, 0x50000000, 0x200, 12, 22, 100, 94, "ZARUMOPICTUREAREA", "", 0)],
      f"pane items {pane[2]}")

strings = extract(6, 1)
# The first string of the block, as a counted UTF-16 string.
count = struct.unpack_from("<H", strings, 2)[0]
described = strings[4:4 + 2 * count].decode("utf-16-le")
check(described == "ザルモセーバー", f"description {described!r}")
check(by_type.get("16") == ["1"], f"version resources: {by_type.get('16')}")

# The version from VERSION, in numbers and as texts, and the commit built from.
version, product_version = sys.argv[3], sys.argv[4]
info = extract(16, 1)
fixed = info.find(struct.pack("<I", 0xFEEF04BD))
numbers = [int(n) for n in version.split(".")] + [0]
check(fixed > 0 and struct.unpack_from("<II", info, fixed + 8) ==
      (numbers[0] << 16 | numbers[1], numbers[2] << 16 | numbers[3]), "fixed file version")
texts = info.decode("utf-16-le", errors="replace")
for key, value in (("FileVersion", version), ("ProductVersion", product_version)):
    check(re.search(f"{key}\0+{re.escape(value)}\0", texts) is not None, f"{key} is not {value}")

# Declared aware of the display scale, and nothing that would end the file
# virtualization under the Windows folder.
check(by_type.get("24") == ["1"], f"manifests: {by_type.get('24')}")
if by_type.get("24") == ["1"]:
    manifest = extract(24, 1).decode("utf-8")
    check(re.search(r"<dpiAware[^>]*>\s*true\s*</dpiAware>", manifest) is not None,
          "the manifest does not declare dpiAware true")
    check("requestedExecutionLevel" not in manifest and "trustInfo" not in manifest,
          "the manifest asks for an execution level")

for failure in failures:
    print("FAIL:", failure)
print(f"{0 if failures else 1} passed, {len(failures) and 1} failed")
sys.exit(1 if failures else 0)
