#!/usr/bin/env python3
"""Checks that every instruction the saver can reach runs on an i486.

The compiler's default for this target is the Pentium Pro, whose conditional
moves and FCOMI the 386, 486, Pentium, K5, K6, 6x86 and WinChip lack, and
Wine runs on a modern processor where every instruction exists. So the built
saver (unstripped, for its symbols) is disassembled and every instruction
beyond the i486 is reported, outside the code allowed to have them:
libjpeg-turbo's SIMD functions, which it picks from CPUID, and the SSE probe,
which runs under a fault handler. CPUID itself is allowed: later 486s have it,
and each use tests the ID flag first. So is the C++ library's random device
code around RDRAND and RDSEED, which runs only where CPUID reports them, UD2,
which faults on purpose everywhere, and TZCNT, which is REP BSF and runs as
BSF on older processors.

Usage: check_instructions.py SAVER
"""
import re
import subprocess
import sys

OBJDUMP = "i686-w64-mingw32-objdump"

BEYOND_I486 = re.compile(
    r"^(cmov\w+|fcmov\w+|f(u)?comip?|rdtscp?|rdpmc|rdmsr|wrmsr|cmpxchg(8|16)b|sys(enter|exit|call)"
    r"|f?emms|prefetch\w*|[lms]fence|clflush\w*|fxsave|fxrstor|[ls]tmxcsr|xgetbv|xsave\w*"
    r"|rdrand|rdseed|movnti|popcnt|lzcnt|movbe|crc32|nop[lw])$")
VECTOR_REGISTER = re.compile(r"%([xyz]?mm\d+|k[0-7])\b")
SIMD_OWNER = re.compile(r"^_(jsimd_\w+_(mmx|3dnow|sse2?|avx2)|jpeg_simd_cpu_support)(\.|$)")
PROBE_OWNERS = {"_zarumo_sse_probe"}
RANDOM_DEVICE = re.compile(r"_GLOBAL__N_1\d+__x86_rd(rand|seed)")
LABEL = re.compile(r"^[0-9a-f]+ <(.+)>:$")
INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\t(\S+)\s*(.*)$")


def beyond_i486(mnemonic, operands):
    return bool(BEYOND_I486.match(mnemonic) or VECTOR_REGISTER.search(operands))


def scan(listing):
    """Yields (owner, address, text) of every instruction beyond the i486."""
    owner = None
    for line in listing.splitlines():
        label = LABEL.match(line)
        if label:
            name = label.group(1)
            # NASM's macro-local labels belong to the function around them;
            # exception tables are data.
            if not name.startswith("..@"):
                owner = None if name.startswith(".gcc_except_table") else name
            continue
        instruction = INSTRUCTION.match(line)
        if owner is None or not instruction:
            continue
        mnemonic, operands = instruction.group(2), instruction.group(3)
        if beyond_i486(mnemonic, operands):
            yield owner, instruction.group(1), (mnemonic + " " + operands).strip()


def main(saver):
    listing = subprocess.run([OBJDUMP, "-d", "--no-show-raw-insn", saver], check=True,
                             capture_output=True, text=True).stdout
    allowed, faults = {}, {}
    for owner, address, text in scan(listing):
        exempt = SIMD_OWNER.match(owner) or owner in PROBE_OWNERS or RANDOM_DEVICE.search(owner)
        (allowed if exempt else faults).setdefault(owner, []).append((address, text))
    for owner, found in sorted(faults.items()):
        print("%s: %d, first %s %s" % (owner, len(found), found[0][0], found[0][1]))
    count = sum(len(found) for found in faults.values())
    print("%d instructions beyond the i486 in %d functions; %d in %d allowed functions"
          % (count, len(faults), sum(len(f) for f in allowed.values()), len(allowed)))
    # The exemptions must name code that is there: a stripped or renamed
    # saver would otherwise pass unseen.
    missing = [name for name in ["_jpeg_simd_cpu_support", *PROBE_OWNERS] if name not in allowed]
    for name in missing:
        print("no %s with SIMD instructions: wrong file, or symbols stripped" % name)
    return 1 if faults or missing else 0


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1]))
