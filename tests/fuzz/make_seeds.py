#!/usr/bin/env python3
"""Writes the fuzz targets' seeds into tests/fuzz/seeds/<target>/.

Run by hand from anywhere:  /usr/bin/python3 tests/fuzz/make_seeds.py
Needs Debian's python3-pil and cjpeg, jpegtran and wrjpgcom (libjpeg-turbo-progs).
Everything comes from this clone: pictures drawn here, and headers from the
bitmap suite in tests/data/bmpsuite. Every seed stays within a few KB.
Inputs that once found a fault are kept at the end of this file and written
as regression-* seeds.
"""
import io
import os
import shutil
import struct
import subprocess
import sys
import tempfile

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
SEEDS = os.path.join(HERE, "seeds")
SUITE = os.path.join(ROOT, "tests", "data", "bmpsuite")
TARGETS = ["bitmap", "icon", "metafile", "extension", "jpeg", "exif", "png", "gif", "command_line", "settings",
           "message"]


def write(target, name, data):
    if isinstance(data, str):
        data = data.encode("cp932")
    with open(os.path.join(SEEDS, target, name), "wb") as f:
        f.write(data)


# ---- pictures to encode ---------------------------------------------------

def scene(width, height):
    """Gradients with a few hard edges, so that every block has detail."""
    img = Image.new("RGB", (width, height))
    px = img.load()
    for y in range(height):
        for x in range(width):
            r = x * 255 // max(1, width - 1)
            g = y * 255 // max(1, height - 1)
            b = 255 if (x // 6 + y // 5) % 2 else (x * y) % 256
            if (x - width // 2) ** 2 + (y - height // 2) ** 2 < (height // 3) ** 2:
                r, g, b = 250, 200, 30
            px[x, y] = (r, g, b)
    return img


# ---- JPEG -----------------------------------------------------------------

def cjpeg(work, source, *switches):
    return subprocess.run(["cjpeg", *switches, source], check=True, capture_output=True, cwd=work).stdout


def segment(marker, payload):
    return bytes([0xFF, marker]) + struct.pack(">H", len(payload) + 2) + payload


def exif(orientation, big=False, kind=3, count=1):
    """An APP1 Exif segment: a maker's tag, then the orientation of `kind` with `count` values."""
    e = ">" if big else "<"
    tiff = (b"MM" if big else b"II") + struct.pack(e + "HIH", 42, 8, 2)
    tiff += struct.pack(e + "HHI4s", 0x010F, 2, 4, b"ABC\0")
    tiff += struct.pack(e + "HHIHH", 0x0112, kind, count, orientation, 0) + bytes(4)
    return segment(0xE1, b"Exif\0\0" + tiff)


def with_size(jpeg, width, height):
    """The same file with other dimensions in its frame header."""
    data = bytearray(jpeg)
    pos = 2
    while pos < len(data):
        marker = data[pos + 1]
        length = struct.unpack(">H", data[pos + 2:pos + 4])[0]
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            struct.pack_into(">HH", data, pos + 5, height, width)
            return bytes(data)
        pos += 2 + length
    raise ValueError("no frame header")


def adobe_transform(jpeg, transform):
    """The same file with another colour transform in its Adobe marker."""
    pos = jpeg.index(b"Adobe")  # then version, two flag words, the transform
    data = bytearray(jpeg)
    data[pos + 11] = transform
    return bytes(data)


def jpegs(work):
    colour = os.path.join(work, "scene.ppm")
    grey = os.path.join(work, "scene.pgm")
    picture = scene(45, 29)
    picture.save(colour)
    picture.convert("L").save(grey)
    scans = {
        "bands.txt": "0,1,2: 0-0, 0, 0;\n0: 1-5, 0, 0;\n2: 1-63, 0, 0;\n1: 1-63, 0, 0;\n0: 6-63, 0, 0;\n",
        "separate.txt": "0;\n1;\n2;\n",
    }
    for name, text in scans.items():
        with open(os.path.join(work, name), "w") as f:
            f.write(text)

    out = {
        "baseline-420.jpg": cjpeg(work, colour, "-quality", "85"),
        "baseline-422.jpg": cjpeg(work, colour, "-sample", "2x1"),
        "baseline-444.jpg": cjpeg(work, colour, "-sample", "1x1"),
        "baseline-440.jpg": cjpeg(work, colour, "-sample", "1x2"),
        "baseline-411.jpg": cjpeg(work, colour, "-sample", "4x1"),
        "mixed-sampling.jpg": cjpeg(work, colour, "-sample", "2x2,2x1,1x2"),
        "optimized.jpg": cjpeg(work, colour, "-optimize", "-sample", "1x1"),
        "separate-scans.jpg": cjpeg(work, colour, "-scans", "separate.txt"),
        "progressive-420.jpg": cjpeg(work, colour, "-progressive"),
        "progressive-444.jpg": cjpeg(work, colour, "-progressive", "-sample", "1x1"),
        "progressive-bands.jpg": cjpeg(work, colour, "-scans", "bands.txt", "-sample", "2x1"),
        "arithmetic.jpg": cjpeg(work, colour, "-arithmetic"),
        "arithmetic-progressive.jpg": cjpeg(work, colour, "-arithmetic", "-progressive"),
        "restart-rows.jpg": cjpeg(work, colour, "-restart", "1"),
        "restart-blocks.jpg": cjpeg(work, colour, "-restart", "3B", "-sample", "1x1"),
        "restart-arithmetic.jpg": cjpeg(work, colour, "-arithmetic", "-restart", "2B"),
        "restart-progressive.jpg": cjpeg(work, colour, "-progressive", "-restart", "1"),
        "grey.jpg": cjpeg(work, colour, "-grayscale"),
        "grey-progressive.jpg": cjpeg(work, grey, "-progressive"),
        "grey-arithmetic-restart.jpg": cjpeg(work, grey, "-arithmetic", "-restart", "1"),
        "rgb.jpg": cjpeg(work, colour, "-rgb", "-sample", "1x1"),
        "coarse-16bit-tables.jpg": cjpeg(work, colour, "-quality", "1"),
        "fine.jpg": cjpeg(work, colour, "-quality", "100", "-sample", "1x1", "-dct", "float"),
    }
    # CMYK and YCCK (the same data under the other Adobe transform).
    buffer = io.BytesIO()
    picture.convert("CMYK").save(buffer, "JPEG", quality=80)
    out["cmyk.jpg"] = buffer.getvalue()
    out["ycck.jpg"] = adobe_transform(buffer.getvalue(), 2)
    # Markers the decoder skips, before the frame.
    base = out["baseline-444.jpg"]
    app1 = segment(0xE1, b"Exif\0\0MM\0*\0\0\0\x08\0\0")
    app2 = segment(0xE2, b"ICC_PROFILE\0\x01\x01" + bytes(64))
    com = segment(0xFE, "コメント".encode("cp932"))
    out["markers.jpg"] = base[:2] + app1 + app2 + com + base[2:]
    # A scan cut short: the library fills in and warns.
    out["truncated.jpg"] = out["progressive-420.jpg"][: len(out["progressive-420.jpg"]) * 3 // 5]
    # Headers alone decide for large pictures.
    tiny = cjpeg(work, grey, "-quality", "50")
    out["large-header.jpg"] = with_size(tiny, 4000, 3000)
    out["too-large-header.jpg"] = with_size(tiny, 65000, 65000)
    # One scan past the decoder's limit: a DC refinement scan sent again and again.
    Image.new("L", (8, 8), 90).save(os.path.join(work, "flat.pgm"))
    with open(os.path.join(work, "refine.txt"), "w") as f:
        f.write("0: 0-0, 0, 1;\n0: 1-63, 0, 0;\n0: 0-0, 1, 0;\n")
    flat = cjpeg(work, os.path.join(work, "flat.pgm"), "-scans", "refine.txt")
    last_scan = flat[flat.rindex(b"\xFF\xDA"):-2]
    out["scan-limit.jpg"] = flat[:-2] + last_scan * 1000 + b"\xFF\xD9"
    picture.crop((0, 0, 1, 1)).save(os.path.join(work, "one.ppm"))
    out["one-pixel.jpg"] = cjpeg(work, os.path.join(work, "one.ppm"))
    # Orientations: each in the reader's own seeds, some in whole files of other kinds.
    head = out["one-pixel.jpg"]
    for o in range(10):
        write("exif", "orientation-%d.jpg" % o, head[:2] + exif(o, o % 2 == 1, 3 if o else 4) + head[2:])
    write("exif", "behind-xmp.jpg", head[:2] + segment(0xE1, b"http://ns.example/xap/\0") + exif(8) + head[2:])
    for name, o in (("baseline-420.jpg", 6), ("progressive-420.jpg", 3), ("grey.jpg", 8), ("restart-rows.jpg", 7)):
        out["exif-%d-%s" % (o, name)] = out[name][:2] + exif(o) + out[name][2:]
    for name, data in out.items():
        write("jpeg", name, data)


# ---- bitmaps --------------------------------------------------------------

def bmp(header, width, height, bits, compression=0, colours=None, pixels=None, masks=None,
        gap=0, clr_used=None, size_image=None):
    """A bitmap file with an info header of `header` bytes (12: the core form)."""
    core = header == 12
    if colours is None:
        colours = (1 << bits) if bits <= 8 else 0
    rows = abs(height)
    stride = (width * bits + 31) // 32 * 4
    if pixels is None:
        pixels = bytes((x * 7 + y * 3) & 0xFF for y in range(rows) for x in range(stride))
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
        table = b"".join(struct.pack("<BBB", i * 37 & 255, i * 91 & 255, i * 13 & 255) for i in range(colours))
    else:
        info = struct.pack("<IiiHHIIiiII", header, width, height, 1, bits, compression,
                           len(pixels) if size_image is None else size_image, 2835, 2835,
                           colours if clr_used is None else clr_used, 0)
        tail = b""
        if masks:
            tail = b"".join(struct.pack("<I", m) for m in masks)
        if header >= 52:
            info += (tail + bytes(64))[: 12 if header < 56 else 16]
            tail = b""
        info = (info + bytes(header))[:header] + tail
        table = b"".join(struct.pack("<BBBB", i * 37 & 255, i * 91 & 255, i * 13 & 255, 0) for i in range(colours))
    offset = 14 + len(info) + len(table) + gap
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + table + bytes(gap) + pixels


def rle8():
    # Encoded runs, an absolute run, a delta, ends of lines and the end.
    return bytes([4, 1, 3, 2, 0, 0, 0, 3, 9, 8, 7, 0, 0, 2, 1, 1, 5, 4, 0, 0, 0, 1])


def rle4():
    return bytes([5, 0x12, 3, 0x34, 0, 0, 0, 4, 0x56, 0x78, 0, 2, 1, 0, 4, 0x9A, 0, 0, 0, 1])


def suite_headers():
    """One file of the bitmap suite per kind of header, cut after its table."""
    kept = {}
    for group in ("g", "q", "b"):
        folder = os.path.join(SUITE, group)
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), "rb") as f:
                data = f.read()
            if len(data) < 18:
                key = ("short", len(data))
            else:
                header = struct.unpack_from("<I", data, 14)[0]
                fields = data[14:14 + min(header, 40)] if header >= 16 else data[14:30]
                if header == 12 and len(fields) >= 12:
                    key = (header, struct.unpack_from("<HHHH", fields, 4))
                elif len(fields) >= 36:
                    width, height, planes, bits, comp = struct.unpack_from("<iiHHI", fields, 4)
                    used = struct.unpack_from("<I", fields, 32)[0]
                    key = (header, height < 0, planes, bits, comp, used != 0, width > 1000)
                else:
                    key = (header, fields[:16])
            offset = struct.unpack_from("<I", data, 10)[0] if len(data) >= 14 else 0
            cut = offset + 128 if 0 < offset < len(data) else 2048
            if key not in kept:
                kept[key] = (group + "-" + name, data[:cut])
    return kept.values()


def bitmaps():
    out = {
        "core-1.bmp": bmp(12, 9, 5, 1),
        "core-4.bmp": bmp(12, 7, 4, 4),
        "core-8.bmp": bmp(12, 5, 3, 8),
        "core-8-short-table.bmp": bmp(12, 5, 3, 8, colours=20),
        "core-24.bmp": bmp(12, 5, 3, 24),
        "info-1.bmp": bmp(40, 9, 5, 1),
        "info-4.bmp": bmp(40, 7, 4, 4),
        "info-8.bmp": bmp(40, 5, 3, 8),
        "info-8-top-down.bmp": bmp(40, 5, -3, 8),
        "info-8-few-colours.bmp": bmp(40, 5, 3, 8, colours=16),
        "info-8-gap.bmp": bmp(40, 5, 3, 8, colours=4, gap=40),
        "info-8-declared-large.bmp": bmp(40, 5, 3, 8, colours=2, size_image=0x10000),
        "info-16.bmp": bmp(40, 6, 3, 16),
        "info-16-masks.bmp": bmp(40, 6, 3, 16, 3, masks=(0xF800, 0x07E0, 0x001F)),
        "info-24.bmp": bmp(40, 5, 3, 24),
        "info-32.bmp": bmp(40, 4, 3, 32),
        "info-32-masks.bmp": bmp(40, 4, -3, 32, 3, masks=(0xFF0000, 0xFF00, 0xFF)),
        "info-rle8.bmp": bmp(40, 6, 4, 8, 1, colours=16, pixels=rle8()),
        "info-rle4.bmp": bmp(40, 8, 4, 4, 2, pixels=rle4()),
        "v2-16.bmp": bmp(52, 6, 3, 16, 3, masks=(0x7C00, 0x03E0, 0x001F)),
        "v3-32.bmp": bmp(56, 4, 3, 32, 3, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
        "os2v2-8.bmp": bmp(64, 5, 3, 8, colours=8),
        "v4-24.bmp": bmp(108, 5, 3, 24),
        "v5-8-top-down.bmp": bmp(124, 5, -3, 8, colours=4),
        "v5-32-masks.bmp": bmp(124, 4, 3, 32, 3, masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000)),
        "os2v2-short-header.bmp": bmp(40, 5, 3, 8)[:14] + struct.pack("<I", 16) + bmp(40, 5, 3, 8)[18:],
        "cut-in-header.bmp": bmp(40, 5, 3, 8)[:30],
        "empty.bmp": b"",
    }
    for name, data in out.items():
        write("bitmap", name, data)
    for name, data in suite_headers():
        write("bitmap", "suite-" + name, data)


# ---- icons ----------------------------------------------------------------

def dib(side, bits, clr_used=0):
    table = (4 << bits) if bits <= 8 and not clr_used else 4 * clr_used
    rows = ((side * bits + 31) // 32 * 4 + (side + 31) // 32 * 4) * side
    head = struct.pack("<IiiHHIIiiII", 40, side, side * 2, 1, bits, 0, 0, 0, 0, clr_used, 0)
    return head + bytes(i & 0xFF for i in range(table)) + bytes([0x5A]) * rows


def png(side):
    buffer = io.BytesIO()
    scene(side, side).convert("RGBA").save(buffer, "PNG")
    return buffer.getvalue()


def ico(images, kind=1, offsets=None):
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for i, img in enumerate(images):
        at = offset if offsets is None or offsets[i] is None else offsets[i]
        out += struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(img), at)
        offset += len(img)
    return out + b"".join(images)


def icons():
    write("icon", "three.ico", ico([dib(16, 4), dib(32, 8), dib(24, 32)]))
    write("icon", "mono-and-true.ico", ico([dib(16, 1), dib(16, 24), dib(24, 8, clr_used=16)]))
    write("icon", "png.ico", ico([png(24), dib(16, 1)]))
    write("icon", "cursor.ico", ico([dib(16, 24)], 2))
    write("icon", "type-0.ico", ico([dib(16, 16)], 0))
    write("icon", "bad-offset.ico", ico([dib(16, 4), dib(16, 8)], offsets=[0xFFFFFF00, None]))
    write("icon", "no-images.ico", struct.pack("<HHH", 0, 1, 0))
    write("icon", "maskless.ico", ico([dib(32, 32)[:40 + 32 * 32 * 4]]))
    buffer = io.BytesIO()
    scene(32, 32).save(buffer, "ICO", sizes=[(16, 16)], bitmap_format="bmp")
    write("icon", "drawn.ico", buffer.getvalue())


# ---- metafiles ------------------------------------------------------------

def emf_record(kind, payload):
    return struct.pack("<II", kind, 8 + len(payload)) + payload


def emf(frame, description="", extra=b"", eof=True):
    records = emf_record(18, struct.pack("<I", 8))            # SETMAPMODE
    records += emf_record(27, struct.pack("<ii", 0, 0))        # MOVETOEX
    records += emf_record(54, struct.pack("<ii", 90, 40))      # LINETO
    records += extra
    if eof:
        records += emf_record(14, struct.pack("<III", 0, 16, 20))
    text = description.encode("utf-16-le")
    text += bytes(-len(text) % 4)
    header_size = 88 + len(text)
    total = header_size + len(records)
    head = struct.pack("<II4i4iIIIIHHIIIiiii", 1, header_size, 0, 0, 95, 47, *frame, 0x464D4520,
                       0x10000, total, 5, 4, 0, len(description), 88 if description else 0,
                       0, 1024, 768, 320, 240)
    return head + text + records


def wmf_record(function, *params):
    return struct.pack("<IH", 3 + len(params), function) + struct.pack("<%dh" % len(params), *params)


def wmf(kind=1, version=0x300, extent=True, extra=b"", objects=4):
    records = wmf_record(0x0103, 8)
    if extent:
        records += wmf_record(0x020B, 0, 0) + wmf_record(0x020C, 100, 200)
    records += wmf_record(0x041B, 90, 180, 10, 20) + extra + wmf_record(0x0000)
    return struct.pack("<HHHIHIH", kind, 9, version, (18 + len(records)) // 2, objects, 7, 0) + records


def placeable(body, left=0, top=0, right=200, bottom=100, inch=96):
    head = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, left, top, right, bottom, inch, 0)
    checksum = 0
    for (word,) in struct.iter_unpack("<H", head):
        checksum ^= word
    return head + struct.pack("<H", checksum) + body


def metafiles():
    polygon = emf_record(3, struct.pack("<4iI", 0, 0, 10, 10, 3) + struct.pack("<6i", 0, 0, 10, 0, 5, 10))
    write("metafile", "frame.emf", emf((0, 0, 2540, 1270)))
    write("metafile", "noframe.emf", emf((0, 0, 0, 0)))
    write("metafile", "described.emf", emf((0, 0, 5080, 2540), "ザルモ\0絵\0\0", polygon))
    write("metafile", "no-eof.emf", emf((0, 0, 2540, 1270), eof=False))
    write("metafile", "plain.wmf", wmf())
    write("metafile", "disk-v1.wmf", wmf(2, 0x100))
    write("metafile", "no-extent.wmf", wmf(extent=False))
    write("metafile", "placeable.wmf", placeable(wmf()))
    write("metafile", "placeable-flipped.wmf", placeable(wmf(extent=False), 300, 200, -100, -50, 1440))
    records()


def record_dib(width, height, bits):
    """A header with its full colour table, and the bits its rows need."""
    size = (width * bits + 31) // 32 * 4 * height
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, size, 0, 0, 0, 0)
    return info + bytes(4 << bits if bits <= 8 else 0) + bytes(size), len(info) + (4 << bits if bits <= 8 else 0)


def embedded(compression, data):
    """A header for a whole JPEG or PNG image (bit count 0), and enough of the image to name it."""
    return struct.pack("<IiiHHIIiiII", 40, 2, 2, 1, 0, compression, len(data), 0, 0, 0, 0) + data, 40


def ew(kind, *fields):
    return emf_record(kind, struct.pack("<%dI" % len(fields), *fields))


def emf_bitmap(kind, fixed, at, dib, fields=()):
    """A record whose fields at `at` give the offsets and sizes of the bitmap after them."""
    head = bytearray(fixed - 8)
    struct.pack_into("<4I", head, at - 8, fixed, dib[1], fixed + dib[1], len(dib[0]) - dib[1])
    for offset, value in fields:
        struct.pack_into("<I", head, offset - 8, value)
    return emf_record(kind, bytes(head) + dib[0])


def ww(function, *params, dib=(b"", 0)):
    payload = struct.pack("<%dH" % len(params), *params) + dib[0]
    return struct.pack("<IH", 3 + len(payload) // 2, function) + payload


def records():
    """One seed for each kind of record whose fields count or place its data, holding
    exactly the data they describe (the unit tests take them at that bound)."""
    bits, mono = record_dib(3, 2, 8), record_dib(8, 8, 1)
    region = (32, 1, 1, 16, 0, 0, 9, 9, 0, 0, 9, 9)
    head = (0, 0, 9, 9, 1, 0, 0)  # bounds, graphics mode, scales

    def text(chars, text_at, spacing_at):
        return (0, 0, chars, text_at, 0, 0, 0, 9, 9, spacing_at)
    emf_kinds = {
        "bitblt": emf_bitmap(76, 100, 84, bits), "stretchblt": emf_bitmap(77, 108, 84, bits),
        "maskblt": emf_bitmap(78, 128, 84, bits), "maskblt-mask": emf_bitmap(78, 128, 112, mono),
        "plgblt": emf_bitmap(79, 140, 96, bits), "plgblt-mask": emf_bitmap(79, 140, 124, mono),
        "setdibits": emf_bitmap(80, 76, 48, bits, [(72, 99)]),
        "setdibits-lines": emf_bitmap(80, 76, 48, bits, [(72, 2)]),
        "stretchdibits": emf_bitmap(81, 80, 48, bits), "monobrush": emf_bitmap(93, 32, 16, mono, [(8, 1)]),
        "dibbrush": emf_bitmap(94, 32, 16, bits, [(8, 1)]), "alphablend": emf_bitmap(114, 108, 84, bits),
        "transparentblt": emf_bitmap(116, 108, 84, bits),
        "pen-pattern": emf_bitmap(95, 52, 12, mono, [(8, 1), (36, 5)]),
        "stretchdibits-png": emf_bitmap(81, 80, 48, embedded(5, b"\x89PNG\r\n\x1a\n" + bytes(8))),
        "stretchdibits-jpeg": emf_bitmap(81, 80, 48, embedded(4, b"\xff\xd8\xff\xe0" + bytes(10) + b"\xff\xd9")),
        "exttextouta": ew(83, *head, *text(4, 92, 76), 0, 0, 0, 0, 0),
        "exttextoutw": ew(84, *head, *text(2, 84, 76), 0, 0, 0),
        "exttextoutw-spacing": ew(84, *head, *text(2, 76, 80), 0, 0, 0),
        "polytextouta": ew(96, *head, 1, *text(4, 96, 80), 0, 0, 0, 0, 0),
        "polytextoutw": ew(97, *head, 1, *text(2, 88, 80), 0, 0, 0),
        "smalltextout": ew(108, 0, 0, 4, 0x300, 1, 0, 0, 0),
        "smalltextout-clipped": ew(108, 0, 0, 4, 0x200, 1, 0, 0, 0, 0, 9, 9, 0),
        "polydraw": ew(56, 0, 0, 9, 9, 2, 1, 1, 2, 2, 0), "polydraw16": ew(92, 0, 0, 9, 9, 2, 1, 2, 0),
        "createpalette": ew(49, 1, 0x20300, 0, 0), "setpaletteentries": ew(50, 1, 0, 2, 0, 0),
        "extcreatepen": ew(95, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 2, 1, 1),
        "fillrgn": ew(71, 0, 0, 9, 9, 48, 1, *region), "framergn": ew(72, 0, 0, 9, 9, 48, 1, 1, 1, *region),
        "invertrgn": ew(73, 0, 0, 9, 9, 48, *region), "paintrgn": ew(74, 0, 0, 9, 9, 48, *region),
        "extselectcliprgn": ew(75, 48, 5, *region), "drawescape": ew(105, 0, 0, 9, 9, 4096, 0),
        "extescape": ew(106, 0, 0, 9, 9, 4096, 0), "namedescape": ew(110, 0, 0, 9, 9, 4096, 0),
        # Escapes that do nothing on a screen, and a comment.
        "drawescape-comment": ew(105, 15, 8, 1, 2), "extescape-path": ew(106, 4096, 4, 1),
        "namedescape-comment": ew(110, 15, 4, 4, 0x41, 7), "gdicomment": ew(70, 8, 0x2B464D45, 2),
        # Every kind that names an object slot; the header has 4.
        "selectobject": ew(37, 3), "deleteobject": ew(40, 3), "createpen": ew(38, 3, 0, 1, 0, 0xFF),
        "brushindirect": ew(39, 3, 0, 0xFF, 0), "selectpalette": ew(48, 3),
        "resizepalette": ew(51, 3, 16), "extcreatefont": ew(82, 3, *([0] * 23)),
        "colorspace": ew(99, 3, *([0] * 82)), "setcolorspace": ew(100, 3),
        "deletecolorspace": ew(101, 3), "colorcorrect": ew(111, 3, 0, 1, 0),
        "colorspacew": ew(122, 3, *([0] * 147), 0, 0),
    }
    for kind in (2, 3, 4, 5, 6):
        emf_kinds["poly%d" % kind] = ew(kind, 0, 0, 9, 9, 2, 1, 1, 2, 2)
        emf_kinds["poly%d" % (kind + 83)] = ew(kind + 83, 0, 0, 9, 9, 2, 0x10001, 0x20002)
    for kind in (7, 8):
        emf_kinds["poly%d" % kind] = ew(kind, 0, 0, 9, 9, 2, 3, 1, 2, 0, 0, 0, 0, 0, 0)
        emf_kinds["poly%d" % (kind + 83)] = ew(kind + 83, 0, 0, 9, 9, 2, 3, 1, 2, 0, 0, 0)
    for name, record in emf_kinds.items():
        write("metafile", "record-%s.emf" % name, emf((0, 0, 2540, 1270), extra=record))
    wmf_kinds = {
        "bitblt": ww(0x0922, 0, 0, 0, 0, 2, 8, 0, 0, 0, 8, 2, 2, 0x0101, 0, 0),
        "stretchblt": ww(0x0B23, 0, 0, 2, 8, 0, 0, 0, 0, 0, 0, 0, 8, 2, 2, 0x0101, 0, 0),
        "dibbitblt": ww(0x0940, 0, 0, 0, 0, 2, 3, 0, 0, dib=bits),
        "dibstretchblt": ww(0x0B41, 0, 0, 2, 3, 0, 0, 2, 3, 0, 0, dib=bits),
        "setdibtodev": ww(0x0D33, 0, 99, 0, 0, 0, 2, 3, 0, 0, dib=bits),
        "stretchdib": ww(0x0F43, 0, 0, 0, 2, 3, 0, 0, 2, 3, 0, 0, dib=bits),
        "dibpatternbrush": ww(0x0142, 5, 0, dib=bits), "textout": ww(0x0521, 4, 0, 0, 0, 0),
        "exttextout": ww(0x0A32, 0, 0, 4, 0, 0, 0), "exttextout-clipped": ww(0x0A32, 0, 0, 4, 4, 0, 0, 9, 9, 0, 0),
        "polygon": ww(0x0324, 2, 1, 1, 2, 2), "polyline": ww(0x0325, 2, 1, 1, 2, 2),
        "polypolygon": ww(0x0538, 2, 1, 2, 0, 0, 0, 0, 0, 0), "createpalette": ww(0x00F7, 0x300, 2, 0, 0, 0, 0),
        "setpalentries": ww(0x0037, 0, 2, 0, 0, 0, 0), "animatepalette": ww(0x0436, 0, 2, 0, 0, 0, 0),
        "createregion": ww(0x06FF, 0, 6, 0, 0, 0, 1, 2, 0, 0, 9, 9, 2, 0, 9, 0, 9, 2),
        "escape": ww(0x0626, 9, 4, 0, 0),  # SETABORTPROC
        "comment": ww(0x0626, 15, 4, 0x6261, 0x6463),
        # Every kind that names an object slot; the header has 4.
        "selectobject": ww(0x012D, 3), "deleteobject": ww(0x01F0, 3), "selectpalette": ww(0x0234, 3),
        "selectclipregion": ww(0x012C, 3), "invertregion": ww(0x012A, 3), "paintregion": ww(0x012B, 3),
        "fillregion": ww(0x0228, 3, 3), "frameregion": ww(0x0429, 1, 1, 3, 3),
        # Four objects live at most: the fifth takes the slot the deleted one left.
        "create-delete": ww(0x02FC, 0, 0, 0, 0) * 4 + ww(0x01F0, 2) + ww(0x02FC, 0, 0, 0, 0),
    }
    for name, record in wmf_kinds.items():
        write("metafile", "record-%s.wmf" % name, wmf(extra=record))
    # Sized by nothing but what it draws; and carrying an enhanced metafile in comments.
    write("metafile", "text-only.wmf", wmf(extent=False, extra=ww(0x0521, 4, 0x6261, 0x6463, 20, 10)))
    inner, comments = emf((0, 0, 2540, 1270)), b""
    for at, size in ((0, 76), (76, len(inner) - 76)):  # in parts, as the system splits long ones
        data = struct.pack("<IIIHIIIII", 0x43464D57, 1, 0x10000, 0, 0, 2, size, len(inner) - at - size,
                           len(inner)) + inner[at:at + size]
        comments += ww(0x0626, 15, len(data), *struct.unpack("<%dH" % (len(data) // 2), data))
    write("metafile", "record-embedded-emf.wmf", wmf(extra=comments))
    # Records of valid framing that claim bits or text they do not carry took the saver down.
    huge, tall = bytearray(record_dib(4, 4, 32)[0]), bytearray(record_dib(4, 4, 24)[0])
    struct.pack_into("<ii", huge, 4, 30000, 30000)
    struct.pack_into("<ii", tall, 4, 20000, 4000)
    claims = {"stretchdibits": emf_bitmap(81, 80, 48, (bytes(huge), 40),
                                          [(40, 30000), (44, 30000), (68, 0xCC0020), (72, 200), (76, 100)]),
              "setdibits": emf_bitmap(80, 76, 48, (bytes(tall), 40), [(40, 20000), (44, 4000), (72, 4000)]),
              "exttextoutw": ew(84, 0, 0, 199, 99, 1, 0, 0, 10, 10, 100000, 76, 0, 0, 0, 199, 99, 0x10000, 0x410041)}
    for name, record in claims.items():
        write("metafile", "regression-%s.emf" % name, emf((0, 0, 5292, 2646), extra=record))


# ---- names, command lines, settings, messages ---------------------------

def texts():
    names = ["C:\\pics\\photo.JPG", "dir.d\\noext", "x.bmp:stream", "C:\\写真\\表.jpeg", "a.b.c.ico",
             "trailing.", "ソ.wmf", "D:e.EMF", "..\\up\\ねがい.jpg", ".bmp", "png.png"]
    for i, name in enumerate(names):
        write("extension", "name%02d" % i, name)

    lines = [
        "C:\\WINDOWS\\ZARUMO~1.SCR /s",
        "\"C:\\Program Files\\ザルモ.scr\" /p 1234",
        "zarumo.scr /p $4D2", "zarumo.scr /P 0x4d2", "zarumo.scr /p X4D2", "zarumo.scr -p 0XffffFFFF",
        "zarumo.scr /a -1234", "zarumo.scr /a", "zarumo.scr /p +2147483647",
        "zarumo.scr /p -2147483648", "zarumo.scr /p 4294967295", "zarumo.scr /p 12ab",
        "zarumo.scr /p \"  0042\"", "zarumo.scr /c:1234", "zarumo.scr", "zarumo.scr \"\" /S",
        "zarumo.scr\t/p\t\"\"\"\"99", "x \"/p\" \" 99\" third", b"x \"\x83\x22 a\" \x83\x61",
        "x s", "x ?c 5", "x /p $", "x /p -0x10", "x /p 0x", b"x \"unterminated \x81",
        "表\x01/p\x1F 7",
    ]
    for i, line in enumerate(lines):
        write("command_line", "line%02d" % i, line)

    settings = [
        "C:\\pics\\なまえ.jpg\r\nC:\\pics\\ねがい.jpg\r\n",
        "なまえ.jpg\nねがい.jpg\n",
        "one line without an end",
        "a\rb\r\nc\rd\r\n",
        "\r\r\n\n",
        "first\r\nsecond\r\nthird\r\n",
        "\xEF\xBB\xBFbom.jpg\r\n\r\n",
        "ソ.jpg\r\nC:\\表\\ソ\\ソ.jpg\r\n",
        "D:name.jpg\r\n..\\up.jpg\r\n",
        "\\\\server\\share\\pic.jpg\r\nsub\\dir\\pic.bmp\r\n",
        "x" * 127 + "\r\n" + "y" * 300 + "\r\n",
        "a\x1Ab\r\n\0zero\r\n",
        "",
    ]
    for i, text in enumerate(settings):
        data = text.encode("cp932") if not text.startswith("\xEF") else b"\xEF\xBB\xBF" + text[3:].encode()
        write("settings", "settings%02d.ini" % i, data)

    messages = ["ファイルが見つかりません", "I/O エラー (32)", "JPEG エラー #42", "boom", "", "ends.",
                "システムエラー。コード：5.\r\nアクセスが拒否されました。\r\n", "%s%n%d%%", "ソ", "半角ｶﾅ"]
    for i, text in enumerate(messages):
        write("message", "message%02d" % i, text)
    write("message", "lone-lead", b"abc\x82")


# Inputs that found a fault once: target, name, bytes.
REGRESSIONS = [
    # A zero byte inside a message: the period must follow what the box shows.
    ("message", "regression-zero-byte", b";\0"),
]


# ---- PNG and GIF -------------------------------------------------------------

def pngs():
    """The PNG suite (every colour type and depth, tRNS, interlaced), and a few drawn here."""
    suite = os.path.join(ROOT, "tests", "data", "pngsuite")
    for name in sorted(os.listdir(suite)):
        if name.endswith(".png") and os.path.getsize(os.path.join(suite, name)) <= 4096:
            shutil.copy(os.path.join(suite, name), os.path.join(SEEDS, "png", name))
    img = scene(40, 30)
    for name, picture, options in [
            ("drawn-rgb.png", img, {}),
            ("drawn-interlaced-rgba.png", img.convert("RGBA"), {"interlace": 1}),
            ("drawn-palette-trns.png", img.quantize(16), {"transparency": 3}),
            ("drawn-grey.png", img.convert("L"), {})]:
        buffer = io.BytesIO()
        picture.save(buffer, "PNG", **options)
        write("png", name, buffer.getvalue())


def gifs():
    """giflib's small pictures (GIF87a and GIF89a, interlaced, transparent), and a few drawn here."""
    suite = os.path.join(ROOT, "tests", "data", "gifsuite")
    for name in sorted(os.listdir(suite)):
        if name.endswith(".gif") and os.path.getsize(os.path.join(suite, name)) <= 8192:
            shutil.copy(os.path.join(suite, name), os.path.join(SEEDS, "gif", name))
    img = scene(40, 30).quantize(32)
    frames = [img, img.transpose(Image.Transpose.FLIP_LEFT_RIGHT)]
    for name, options in [("drawn-interlaced.gif", {"interlace": True}),
                          ("drawn-transparent.gif", {"transparency": 5}),
                          ("drawn-animated.gif", {"save_all": True, "append_images": frames[1:]})]:
        buffer = io.BytesIO()
        img.save(buffer, "GIF", **options)
        write("gif", name, buffer.getvalue())


def main():
    for tool in ("cjpeg",):
        if shutil.which(tool) is None:
            sys.exit("%s is missing (libjpeg-turbo-progs)" % tool)
    for target in TARGETS:
        shutil.rmtree(os.path.join(SEEDS, target), ignore_errors=True)
        os.makedirs(os.path.join(SEEDS, target))
    with tempfile.TemporaryDirectory() as work:
        jpegs(work)
    bitmaps()
    pngs()
    gifs()
    icons()
    metafiles()
    texts()
    for target, name, data in REGRESSIONS:
        write(target, name, data)
    total = 0
    for target in TARGETS:
        folder = os.path.join(SEEDS, target)
        sizes = [os.path.getsize(os.path.join(folder, n)) for n in os.listdir(folder)]
        total += sum(sizes)
        print("%-13s %3d seeds, %6d bytes, largest %5d" % (target, len(sizes), sum(sizes), max(sizes)))
    print("all %d bytes" % total)


if __name__ == "__main__":
    main()
