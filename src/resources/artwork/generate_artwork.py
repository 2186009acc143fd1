#!/usr/bin/env python3
"""Draws the pictures and the icon built into the executable.

Run by hand from anywhere:  python3 src/resources/artwork/generate_artwork.py
It (over)writes banner.bmp, fallback.bmp and zarumo.ico in src/resources.
The output is deterministic; the files are committed, so the build needs no Python.
Needs Debian's python3-pil and fonts-ipafont-gothic.
"""

import math
import os
import struct
import sys

try:
    from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont
except ImportError:
    # A private interpreter on PATH may lack Debian's PIL: fall back to the system one.
    if os.path.exists("/usr/bin/python3") and os.path.realpath(sys.executable) != os.path.realpath(
        "/usr/bin/python3"
    ):
        os.execv("/usr/bin/python3", ["/usr/bin/python3"] + sys.argv)
    raise

HERE = os.path.dirname(os.path.abspath(__file__))
OUT_DIR = os.path.dirname(HERE)

FONT_PATHS = [
    "/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
    "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
    "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf",
]

PELS_PER_METRE = 3780  # 96 dpi

# --- Banner -----------------------------------------------------------------------------------

SLOGAN = "開運招福"
BANNER_W, BANNER_H = 656, 241
LEFT, TOP, RIGHT, BOTTOM = 18, 17, 636, 220  # inclusive extent of everything that is not black
DEPTH = 11  # extrusion, pixels to the right and up
SLANT = 0.22  # horizontal shift per unit of height
BEVEL = 4  # width of the bevel on the front faces
STEPS = 40  # colours per ramp
FRONT_OUTER, FRONT_MIDDLE = (255, 151, 47), (255, 255, 15)
SIDE_DARK, SIDE_LIGHT = (144, 151, 0), (223, 223, 0)
# Light comes from the upper left (y grows downwards).
LIGHT = (-1 / math.sqrt(2), -1 / math.sqrt(2))


def ramp(a, b):
    return [
        tuple(round(a[c] + (b[c] - a[c]) * i / (STEPS - 1)) for c in range(3)) for i in range(STEPS)
    ]


def find_font():
    for path in FONT_PATHS:
        if os.path.exists(path):
            return path
    sys.exit("no Japanese Gothic font found; install fonts-ipafont-gothic")


def slogan_mask(width, height):
    """The slanted, bold slogan as a 0/255 mask whose content fills exactly width x height."""
    ss = 4  # supersampling keeps the outline smooth before thresholding
    size = 220 * ss
    font = ImageFont.truetype(find_font(), size)
    canvas = (size * 5 // 4, size * 5 // 4)
    pad = size // 8
    stroke = 4 * ss  # thickens the strokes to a bold weight
    glyphs = []
    for ch in SLOGAN:
        im = Image.new("L", canvas, 0)
        ImageDraw.Draw(im).text((pad, pad), ch, font=font, fill=255, stroke_width=stroke,
                                stroke_fill=255)
        glyphs.append(im)
    # One common band keeps the glyphs on their design baseline.
    boxes = [g.getbbox() for g in glyphs]
    top = min(b[1] for b in boxes)
    bottom = max(b[3] for b in boxes)
    gap = 14 * ss
    total = sum(b[2] - b[0] for b in boxes) + gap * (len(glyphs) - 1)
    row = Image.new("L", (total, bottom - top), 0)
    x = 0
    for g, b in zip(glyphs, boxes):
        row.paste(g.crop((b[0], top, b[2], bottom)), (x, 0))
        x += b[2] - b[0] + gap
    h = row.height
    shift = int(SLANT * h)
    slanted = row.transform((row.width + shift, h), Image.AFFINE,
                            (1, SLANT, -SLANT * h, 0, 1, 0), resample=Image.BILINEAR)
    small = slanted.resize((width, height), Image.BOX)
    mask = small.point(lambda v: 255 if v >= 128 else 0)
    # Thresholding may shave a tip off an edge; stretch back so the extent is exact.
    return mask.crop(mask.getbbox()).resize((width, height), Image.NEAREST)


def erosion_depth(mask, limit):
    """Per pixel: how many 3x3 erosions it survives (0 outside), capped at limit."""
    depth = [0] * (mask.width * mask.height)
    cur = mask
    for level in range(1, limit + 1):
        for i, v in enumerate(cur.getdata()):
            if v:
                depth[i] = level
        cur = cur.filter(ImageFilter.MinFilter(3))
    return depth


def draw_banner():
    w, h = BANNER_W, BANNER_H
    front_w = RIGHT - LEFT + 1 - DEPTH
    front_h = BOTTOM - TOP + 1 - DEPTH
    front = Image.new("L", (w, h), 0)
    front.paste(slogan_mask(front_w, front_h), (LEFT, TOP + DEPTH))
    inside = [v != 0 for v in front.getdata()]

    # Outward normals of the outline, from the gradient of a blurred copy.
    soft = list(front.filter(ImageFilter.GaussianBlur(2.5)).getdata())

    def normal(x, y):
        i = y * w + x
        gx = soft[i + 1] - soft[i - 1]
        gy = soft[i + w] - soft[i - w]
        n = math.hypot(gx, gy)
        if n < 1e-6:
            return 0.0, 0.0
        return -gx / n, -gy / n

    depth = erosion_depth(front, BEVEL + 1)
    front_ramp = ramp(FRONT_OUTER, FRONT_MIDDLE)
    side_ramp = ramp(SIDE_DARK, SIDE_LIGHT)
    cx, cy = (LEFT + RIGHT) / 2, (TOP + BOTTOM) / 2
    half_w, half_h = (RIGHT - LEFT) / 2, (BOTTOM - TOP) / 2

    def level(t):
        return min(STEPS - 1, max(0, round(t * (STEPS - 1))))

    pixels = [(0, 0, 0)] * (w * h)
    for y in range(1, h - 1):
        for x in range(1, w - 1):
            i = y * w + x
            if inside[i]:
                # Face: orange at the outer parts, yellow toward the middle of the picture.
                dx, dy = (x - cx) / half_w, (y - cy) / half_h
                r = min(1.0, math.sqrt(dx * dx * 0.9 + dy * dy * 0.35))
                t = 0.1 + 0.72 * (1 - r * r)
                if depth[i] <= BEVEL:
                    nx, ny = normal(x, y)
                    shade = nx * LIGHT[0] + ny * LIGHT[1]
                    if shade > 0.25:
                        t = 0.7 + 0.3 * shade
                    elif shade < -0.25:
                        t = 0.3 * (1 + shade)
                    else:
                        t = t * 0.8
                pixels[i] = front_ramp[level(t)]
                continue
            # Side: the nearest front pixel back along the extrusion tells which edge this is.
            for d in range(1, DEPTH + 1):
                if x - d < 0 or y + d >= h:
                    break
                j = (y + d) * w + (x - d)
                if inside[j]:
                    nx, ny = normal(x - d, y + d)
                    # Faces looking up catch the light, faces looking right are in shade.
                    t = 0.4 - 0.4 * nx - 0.35 * ny
                    t += 0.25 * (d - 1) / (DEPTH - 1) - 0.1
                    pixels[i] = side_ramp[level(t)]
                    break
    img = Image.new("RGB", (w, h))
    img.putdata(pixels)
    return img


# --- Fallback picture -------------------------------------------------------------------------


def draw_fallback():
    img = Image.new("P", (201, 101), 0)
    d = ImageDraw.Draw(img)
    # A slanted bar that narrows downwards, then the dot; extent x 77..105, y 21..74.
    d.polygon([(93, 21), (105, 21), (92, 61), (85, 61)], fill=1)
    d.polygon([(80, 66), (88, 66), (85, 74), (77, 74)], fill=1)
    return img


# --- Icon ------------------------------------------------------------------------------------

VGA = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, OLIVE, NAVY, GREY, RED, YELLOW, MAGENTA, CYAN = 0, 3, 4, 8, 9, 11, 13, 14


def draw_icon():
    """Colour indices and the opaque area of the 32 x 32 face."""
    img = Image.new("P", (32, 32), BLACK)
    opaque = Image.new("1", (32, 32), 0)
    d, m = ImageDraw.Draw(img), ImageDraw.Draw(opaque)
    face = (1, 4, 30, 31)
    horns = [[(6, 8), (7, 1), (11, 6)], [(25, 8), (24, 1), (20, 6)]]
    for horn in horns:
        d.polygon(horn, fill=OLIVE)
        m.polygon(horn, fill=1)
    d.ellipse(face, fill=CYAN)
    m.ellipse(face, fill=1)
    inner = (3, 6, 28, 29)
    d.ellipse(inner, fill=YELLOW)
    # Hair across the top of the face, ending in a jagged fringe.
    hair = Image.new("1", (32, 32), 0)
    h = ImageDraw.Draw(hair)
    h.rectangle((0, 0, 31, 10), fill=1)
    for x in range(4, 28, 4):
        h.polygon([(x, 10), (x + 4, 10), (x + 2, 13)], fill=1)
    face_only = Image.new("1", (32, 32), 0)
    ImageDraw.Draw(face_only).ellipse(inner, fill=1)
    img.paste(BLACK, mask=ImageChops.logical_and(hair, face_only))
    for cx in (9, 22):
        d.ellipse((cx - 5, 13, cx + 5, 23), fill=NAVY)
        d.ellipse((cx - 3, 15, cx + 3, 21), fill=GREY)
    d.rectangle((15, 20, 16, 22), fill=RED)
    d.chord((6, 19, 25, 30), 0, 180, fill=RED)
    d.chord((9, 21, 22, 28), 0, 180, fill=MAGENTA)
    return img, opaque


# --- Writers ---------------------------------------------------------------------------------


def rows_bottom_up(data, stride, height, padded):
    pad = b"\0" * (padded - stride)
    return b"".join(data[y * stride:(y + 1) * stride] + pad for y in range(height - 1, -1, -1))


def bitmap_info(width, height, bits, size_image, ppm, colours):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, size_image, ppm, ppm,
                       colours, 0)


def bmp_file(width, height, bits, table, rows):
    info = bitmap_info(width, height, bits, len(rows), PELS_PER_METRE, len(table) // 4)
    offset = 14 + len(info) + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + table + rows


def write_banner(img, path):
    w, h = img.size
    bgr = bytes(b for r, g, b_ in img.getdata() for b in (b_, g, r))
    rows = rows_bottom_up(bgr, w * 3, h, (w * 3 + 3) & ~3)
    with open(path, "wb") as f:
        f.write(bmp_file(w, h, 24, b"", rows))


def write_fallback(img, path):
    w, h = img.size
    table = bytearray(256 * 4)
    table[4:8] = bytes((0, 0, 255, 0))  # index 1: red
    rows = rows_bottom_up(img.tobytes(), w, h, (w + 3) & ~3)
    with open(path, "wb") as f:
        f.write(bmp_file(w, h, 8, bytes(table), rows))


def write_icon(img, opaque, path):
    idx = img.tobytes()
    on = opaque.load()
    xor = bytearray()
    for y in range(31, -1, -1):
        for x in range(0, 32, 2):
            a = idx[y * 32 + x] if on[x, y] else 0
            b = idx[y * 32 + x + 1] if on[x + 1, y] else 0
            xor.append(a << 4 | b)
    mask = bytearray()
    for y in range(31, -1, -1):
        bits = 0
        for x in range(32):
            bits = bits << 1 | (0 if on[x, y] else 1)
        mask += struct.pack(">I", bits)
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA)
    info = bitmap_info(32, 64, 4, len(xor) + len(mask), 0, 0)
    image = info + palette + bytes(xor) + bytes(mask)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(image), 6 + 16)
    with open(path, "wb") as f:
        f.write(header + entry + image)


def check_banner(img):
    colours = set(img.getdata())
    expected = {(0, 0, 0)} | set(ramp(FRONT_OUTER, FRONT_MIDDLE)) | set(ramp(SIDE_DARK, SIDE_LIGHT))
    if colours != expected:
        sys.exit("banner uses %d of the %d colours" % (len(colours & expected), len(expected)))
    box = img.getbbox()
    if box != (LEFT, TOP, RIGHT + 1, BOTTOM + 1):
        sys.exit("banner extent is %r" % (box,))


def main():
    banner = draw_banner()
    check_banner(banner)
    write_banner(banner, os.path.join(OUT_DIR, "banner.bmp"))
    fallback = draw_fallback()
    if fallback.getbbox() != (77, 21, 106, 75):
        sys.exit("exclamation mark extent is %r" % (fallback.getbbox(),))
    write_fallback(fallback, os.path.join(OUT_DIR, "fallback.bmp"))
    write_icon(*draw_icon(), os.path.join(OUT_DIR, "zarumo.ico"))


if __name__ == "__main__":
    main()
