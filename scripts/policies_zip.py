#!/usr/bin/env python3
"""Writes the administrative templates' zip for administrators: quellix.admx and
en-US/quellix.adml from res/policies, laid out as they are copied into a PolicyDefinitions
folder. The entries carry the given time, so the same sources give the same zip.

Usage: policies_zip.py SOURCE_DIR OUTPUT.zip [UNIX_TIME]
"""
import os
import sys
import time
import zipfile

FILES = ("quellix.admx", "en-US/quellix.adml")


def main(source, out, stamp):
    when = time.gmtime(max(stamp, 315532800))[:6]  # zip times start in 1980
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as z:
        for name in FILES:
            info = zipfile.ZipInfo(name, when)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(os.path.join(source, "res", "policies", *name.split("/")), "rb") as f:
                z.writestr(info, f.read())


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]) if len(sys.argv) == 4 else 0)
