#!/usr/bin/env python3
"""Writes a copy of a Liberation Sans file that Wine may pick for Arial in any character set.

The buttons ask for Arial in the Arabic character set (178), as their stored layout says.
Windows' Arial covers that set, so Windows draws them in Arial; Liberation Sans has Arial's
metrics but does not claim the Arabic code page, so Wine would pick a wider font instead.
The copy claims code page 1256 too, and carries a higher font revision so Wine prefers it
over the system's file of the same name. Latin captions draw exactly as from the original.

Usage: arial_stand_in.py SOURCE.ttf OUTPUT.ttf
"""
import struct
import sys

ARABIC_CODE_PAGE = 1 << 6  # ulCodePageRange1 bit 6: code page 1256


def main(source, output):
    data = bytearray(open(source, "rb").read())
    tables = {}
    for i in range(struct.unpack_from(">H", data, 4)[0]):
        tag, _, offset, _ = struct.unpack_from(">4sIII", data, 12 + 16 * i)
        tables[tag] = offset
    os2, head = tables[b"OS/2"], tables[b"head"]
    struct.pack_into(">I", data, os2 + 78, struct.unpack_from(">I", data, os2 + 78)[0] | ARABIC_CODE_PAGE)
    struct.pack_into(">I", data, head + 4, struct.unpack_from(">I", data, head + 4)[0] + 0x10000)
    open(output, "wb").write(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
