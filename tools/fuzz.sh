#!/usr/bin/env bash
# Builds the picture-file fuzz targets with clang (libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) in build/fuzz and runs each in turn.
# Usage: tools/fuzz.sh [seconds per target, default 10]
# The corpora in build/fuzz/corpus grow from run to run; crashes are written
# to build/fuzz/artifacts and make the script fail.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-10}
build="$root/build/fuzz"
suite=$root/tests/data/bmpsuite
targets=(bitmap icon metafile extension jpeg)

probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }'
if ! echo "$probe" | clang++ -x c++ -fsanitize=fuzzer,address,undefined - -o /dev/null 2>/dev/null; then
  echo "clang cannot build libFuzzer targets (install clang and libclang-rt-14-dev)" >&2
  exit 1
fi
if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S "$root/tests/fuzz" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null || exit 1
fi
cmake --build "$build" >/dev/null || { cmake --build "$build"; exit 1; }

# Seeds: the bitmap suite, JPEGs made from it, and a few small icons and metafiles.
seeds="$build/seeds"
if [ ! -d "$seeds" ]; then
  mkdir -p "$seeds"/{bitmap,icon,metafile,extension,jpeg}
  if [ -d "$suite" ]; then
    for f in "$suite"/{g,q,b}/*.bmp; do cp "$f" "$seeds/bitmap/$(basename "$(dirname "$f")")-$(basename "$f")"; done
    if command -v cjpeg >/dev/null; then
      cjpeg -quality 90 "$suite/g/rgb24.bmp" >"$seeds/jpeg/baseline.jpg"
      cjpeg -progressive "$suite/g/rgb24.bmp" >"$seeds/jpeg/progressive.jpg"
      cjpeg -grayscale "$suite/g/pal8gs.bmp" >"$seeds/jpeg/grey.jpg"
      cjpeg -restart 1 -sample 2x2 -optimize "$suite/g/pal8.bmp" >"$seeds/jpeg/restart.jpg"
    fi
  fi
  python3 - "$seeds" <<'PY'
import struct, sys, os
seeds = sys.argv[1]

def write(kind, name, data):
    with open(os.path.join(seeds, kind, name), "wb") as f:
        f.write(data)

def dib(side, bits):
    table = (4 << bits) if bits <= 8 else 0
    rows = ((side * bits + 31) // 32 * 4 + (side + 31) // 32 * 4) * side
    head = struct.pack("<IiiHHIIiiII", 40, side, side * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    return head + bytes(range(256)) * (table // 256) + bytes([0x5A]) * rows

def png(w, h):
    return b"\x89PNG\r\n\x1a\n" + struct.pack(">I4sIIBBBBBI", 13, b"IHDR", w, h, 8, 6, 0, 0, 0, 0)

def ico(images, kind=1):
    out = struct.pack("<HHH", 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for img in images:
        out += struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)

write("icon", "three.ico", ico([dib(16, 4), dib(32, 8), dib(48, 32)]))
write("icon", "png.ico", ico([png(256, 256), dib(16, 1)]))
write("icon", "cursor.ico", ico([dib(32, 24)], 2))

def emf_record(kind, payload):
    return struct.pack("<II", kind, 8 + len(payload)) + payload

def emf(frame):
    records = emf_record(18, struct.pack("<I", 8))            # SETMAPMODE
    records += emf_record(27, struct.pack("<ii", 0, 0))        # MOVETOEX
    records += emf_record(54, struct.pack("<ii", 90, 40))      # LINETO
    records += emf_record(14, struct.pack("<III", 0, 16, 20))  # EOF
    total = 88 + len(records)
    head = struct.pack("<II4i4iIIIIHHIIIiiii", 1, 88, 0, 0, 95, 47, *frame, 0x464D4520,
                       0x10000, total, 5, 1, 0, 0, 0, 0, 1024, 768, 320, 240)
    return head + records

write("metafile", "frame.emf", emf((0, 0, 2540, 1270)))
write("metafile", "noframe.emf", emf((0, 0, 0, 0)))

def wmf_record(function, *params):
    return struct.pack("<IH", 3 + len(params), function) + struct.pack("<%dh" % len(params), *params)

records = wmf_record(0x0103, 8) + wmf_record(0x020B, 0, 0) + wmf_record(0x020C, 100, 200)
records += wmf_record(0x041B, 90, 180, 10, 20) + wmf_record(0x0000)
wmf = struct.pack("<HHHIHIH", 1, 9, 0x300, (18 + len(records)) // 2, 0, 7, 0) + records
placeable = struct.pack("<IHhhhhHI", 0x9AC6CDD7, 0, 0, 0, 200, 100, 96, 0)
checksum = 0
for (word,) in struct.iter_unpack("<H", placeable):
    checksum ^= word
write("metafile", "plain.wmf", wmf)
write("metafile", "placeable.wmf", placeable + struct.pack("<H", checksum) + wmf)

for i, name in enumerate([b"C:\\pics\\photo.JPG", b"dir.d\\noext", b"x.bmp:stream",
                          "C:\\写真\\表.jpeg".encode("cp932"), b"a.b.c.ico", b"trailing."]):
    write("extension", "name%d" % i, name)
PY
fi

status=0
mkdir -p "$build/artifacts"
for t in "${targets[@]}"; do
  corpus="$build/corpus/$t"
  mkdir -p "$corpus"
  echo "fuzz_$t: ${seconds}s"
  if ! "$build/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2560 \
      -artifact_prefix="$build/artifacts/$t-" -print_final_stats=1 \
      "$corpus" "$seeds/$t" >"$build/$t.log" 2>&1; then
    echo "fuzz_$t FAILED: see $build/$t.log and $build/artifacts/" >&2
    tail -n 40 "$build/$t.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/$t.log" | tail -n 2
  fi
done
exit $status
