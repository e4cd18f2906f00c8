#!/usr/bin/env python3
"""Writes the program's icon, icons/app.ico: the flame of the tray icon at 16, 32, 48 and
256 pixels, drawn from curves so every size is sharp. The three small sizes are 32-bit
bitmaps, the largest is PNG-compressed as Windows expects for 256 pixels.

Standard library only; the output is the same on every run. Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys
import zlib

SIZES = (16, 32, 48, 256)
SUB = 4  # subsamples per pixel side, for smooth edges

# Outlines as cubic Bezier segments in a unit box, y pointing down: a start point, then
# (control, control, end) triples.
FLAME = [(0.50, 0.97),
         ((0.29, 0.97), (0.12, 0.83), (0.12, 0.64)),
         ((0.12, 0.48), (0.21, 0.37), (0.30, 0.25)),    # up to the small tongue
         ((0.34, 0.34), (0.38, 0.41), (0.44, 0.45)),    # down into the notch
         ((0.45, 0.29), (0.50, 0.13), (0.59, 0.03)),    # up to the tall tongue
         ((0.67, 0.18), (0.88, 0.38), (0.88, 0.64)),
         ((0.88, 0.83), (0.71, 0.97), (0.50, 0.97))]
CORE = [(0.50, 0.90),
        ((0.37, 0.90), (0.31, 0.82), (0.31, 0.72)),
        ((0.31, 0.62), (0.42, 0.56), (0.50, 0.43)),
        ((0.58, 0.56), (0.69, 0.62), (0.69, 0.72)),
        ((0.69, 0.82), (0.63, 0.90), (0.50, 0.90))]

OUTLINE = (92, 24, 4)
TOP = (214, 52, 18)       # body colour at the tongues
BOTTOM = (250, 120, 30)   # body colour at the base
CORE_COLOUR = (255, 204, 64)
# Outline width in pixels for each size.
OUTLINE_WIDTH = {16: 1.0, 32: 1.5, 48: 2.0, 256: 7.0}


def flatten(shape, steps=24):
    points = [shape[0]]
    for c1, c2, end in shape[1:]:
        p0 = points[-1]
        for i in range(1, steps + 1):
            t = i / steps
            u = 1 - t
            points.append(tuple(u * u * u * p0[k] + 3 * u * u * t * c1[k] + 3 * u * t * t * c2[k] + t * t * t * end[k]
                                for k in range(2)))
    return points


def mask(shape, n):
    """Even-odd scanline fill of the shape on an n x n grid, sampled at cell centres."""
    poly = [(x * n, y * n) for x, y in flatten(shape)]
    edges = list(zip(poly, poly[1:] + poly[:1]))
    rows = []
    for row in range(n):
        y = row + 0.5
        xs = sorted(x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                    for (x0, y0), (x1, y1) in edges if (y0 <= y < y1) or (y1 <= y < y0))
        line = bytearray(n)
        for a, b in zip(xs[0::2], xs[1::2]):
            for col in range(max(0, int(a + 0.5)), min(n, int(b + 0.5))):
                line[col] = 1
        rows.append(line)
    return rows


def erode(rows, r):
    """Cells at least r cells (in both directions) inside the mask."""
    n = len(rows)

    def runs(line):
        # distance to the nearest empty cell along the line
        dist = [0] * n
        d = 0
        for i in range(n):
            d = d + 1 if line[i] else 0
            dist[i] = d
        d = 0
        for i in reversed(range(n)):
            d = d + 1 if line[i] else 0
            dist[i] = min(dist[i], d)
        return [1 if v > r else 0 for v in dist]

    across = [runs(line) for line in rows]
    columns = [runs([across[y][x] for y in range(n)]) for x in range(n)]
    return [[columns[x][y] for x in range(n)] for y in range(n)]


def render(size):
    n = size * SUB
    outer = mask(FLAME, n)
    inner = erode(outer, round(OUTLINE_WIDTH[size] * SUB))
    core = mask(CORE, n)
    pixels = []
    for py in range(size):
        for px in range(size):
            acc = [0, 0, 0]
            covered = 0
            for sy in range(py * SUB, py * SUB + SUB):
                t = sy / n
                body = tuple(TOP[k] + (BOTTOM[k] - TOP[k]) * t for k in range(3))
                for sx in range(px * SUB, px * SUB + SUB):
                    if not outer[sy][sx]:
                        continue
                    covered += 1
                    if not inner[sy][sx]:
                        colour = OUTLINE
                    elif core[sy][sx]:
                        colour = CORE_COLOUR
                    else:
                        colour = body
                    for k in range(3):
                        acc[k] += colour[k]
            if covered == 0:
                pixels.append((0, 0, 0, 0))
            else:
                pixels.append(tuple(round(acc[k] / covered) for k in range(3)) +
                              (round(255 * covered / (SUB * SUB)),))
    return pixels


def bmp_entry(size, pixels):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = bytearray()
    for y in reversed(range(size)):  # bottom-up rows
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            colour += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if pixels[y * size + x][3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        and_mask += row
    return header + bytes(colour) + bytes(and_mask)


def png_entry(size, pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
    raw = bytearray()
    for y in range(size):
        raw.append(0)  # no filter
        for x in range(size):
            raw += bytes(pixels[y * size + x])
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def main(path):
    images = []
    for size in SIZES:
        pixels = render(size)
        images.append((size, png_entry(size, pixels) if size >= 256 else bmp_entry(size, pixels)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_icon.py OUTPUT.ico")
    main(sys.argv[1])
