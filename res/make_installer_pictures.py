#!/usr/bin/env python3
"""Writes the installer's own pictures from the flame of the program's icon (make_icon.py)
and the name "Quellix" drawn in strokes: installer/welcome.bmp (164 x 314, the welcome and
finish pages) and installer/header.bmp (150 x 57, the top of the other pages). Both are
24-bit bitmaps, as the installer's pages expect.

Standard library only; the output is the same on every run.
Usage: make_installer_pictures.py OUTPUT_DIR
"""
import importlib.util
import math
import os
import struct
import sys

SUB = 4  # subsamples per pixel side, for smooth edges

_spec = importlib.util.spec_from_file_location("make_icon", os.path.join(os.path.dirname(__file__), "make_icon.py"))
icon = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(icon)

NAME_COLOUR = (163, 48, 12)  # the help's heading colour
WELCOME_TOP = (255, 250, 242)
WELCOME_BOTTOM = (250, 208, 160)
HEADER_BACKGROUND = (255, 255, 255)


def arc(cx, cy, rx, ry, start, end, steps=48):
    """Points of an elliptic arc, angles in degrees counter-clockwise as seen (y points down)."""
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy - ry * math.sin(math.radians(start + (end - start) * i / steps))) for i in range(steps + 1)]


# The letters as polylines in a box whose x-height runs from y 0.48 to the baseline at 1.0,
# each with its advance. A polyline of one point is a dot.
LETTERS = {
    "Q": ([arc(0.33, 0.64, 0.33, 0.36, 0, 360, 96), [(0.42, 0.84), (0.70, 1.08)]], 0.70),
    "u": ([[(0.0, 0.48), (0.0, 0.80)] + arc(0.19, 0.80, 0.19, 0.20, 180, 360)[1:], [(0.38, 0.48), (0.38, 1.0)]], 0.38),
    "e": ([[(0.0, 0.75), (0.42, 0.75)] + arc(0.21, 0.75, 0.21, 0.26, 0, 315)[1:]], 0.42),
    "l": ([[(0.0, 0.24), (0.0, 1.0)]], 0.0),
    "i": ([[(0.0, 0.48), (0.0, 1.0)], [(0.0, 0.32)]], 0.0),
    "x": ([[(0.0, 0.48), (0.40, 1.0)], [(0.40, 0.48), (0.0, 1.0)]], 0.40),
}
STROKE = 0.12   # pen width in the letters' units
SPACING = 0.16  # room between two letters' strokes


def name_segments(text):
    """Segments of the text with the pen's centre line starting at x = STROKE / 2; its width."""
    segments, x = [], STROKE / 2
    for letter in text:
        lines, advance = LETTERS[letter]
        for line in lines:
            points = [(x + px, py) for px, py in line]
            segments += list(zip(points, points[1:])) if len(points) > 1 else [(points[0], points[0])]
        x += advance + STROKE + SPACING
    return segments, x - SPACING - STROKE / 2


def draw_name(canvas, width, text, left, top, height, colour):
    """Draws the text into the canvas (rows of RGB tuples), `height` pixels from the top of a
    capital to the baseline."""
    scale = height / 0.72  # capitals run from y 0.28 to 1.0
    segments, _ = name_segments(text)
    half = STROKE / 2 * scale * SUB
    hits = {}
    for (x0, y0), (x1, y1) in segments:
        ax, ay = (left + x0 * scale) * SUB, (top + (y0 - 0.28) * scale) * SUB
        bx, by = (left + x1 * scale) * SUB, (top + (y1 - 0.28) * scale) * SUB
        dx, dy = bx - ax, by - ay
        length = dx * dx + dy * dy
        for sy in range(int(min(ay, by) - half), int(max(ay, by) + half) + 2):
            for sx in range(int(min(ax, bx) - half), int(max(ax, bx) + half) + 2):
                px, py = sx + 0.5, sy + 0.5
                t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
                ex, ey = ax + t * dx - px, ay + t * dy - py
                if ex * ex + ey * ey <= half * half:
                    hits.setdefault((sx // SUB, sy // SUB), set()).add((sx, sy))
    for (x, y), samples in hits.items():
        if 0 <= x < width and 0 <= y < len(canvas):
            blend(canvas, x, y, colour, len(samples) / (SUB * SUB))


def blend(canvas, x, y, colour, alpha):
    under = canvas[y][x]
    canvas[y][x] = tuple(round(under[k] + (colour[k] - under[k]) * alpha) for k in range(3))


def draw_flame(canvas, size, left, top, outline):
    icon.OUTLINE_WIDTH[size] = outline
    pixels = icon.render(size)
    for y in range(size):
        for x in range(size):
            r, g, b, a = pixels[y * size + x]
            if a:
                blend(canvas, left + x, top + y, (r, g, b), a / 255)


def gradient(width, height, top, bottom):
    return [[tuple(round(top[k] + (bottom[k] - top[k]) * y / (height - 1)) for k in range(3))] * width
            for y in range(height)]


def welcome():
    width, height = 164, 314
    canvas = gradient(width, height, WELCOME_TOP, WELCOME_BOTTOM)
    draw_flame(canvas, 112, (width - 112) // 2, 52, 3.5)
    _, units = name_segments("Quellix")
    letters = 26
    draw_name(canvas, width, "Quellix", (width - units * letters / 0.72) / 2, 190, letters, NAME_COLOUR)
    return width, canvas


def header():
    width, height = 150, 57
    canvas = gradient(width, height, HEADER_BACKGROUND, HEADER_BACKGROUND)
    draw_flame(canvas, 48, width - 48 - 4, (height - 48) // 2, 2.0)
    _, units = name_segments("Quellix")
    letters = 17
    draw_name(canvas, width, "Quellix", width - 48 - 10 - units * letters / 0.72, 16, letters, NAME_COLOUR)
    return width, canvas


def bmp(width, canvas):
    stride = (width * 3 + 3) & ~3
    rows = b"".join(bytes(v for r, g, b in row for v in (b, g, r)).ljust(stride, b"\0") for row in reversed(canvas))
    info = struct.pack("<IiiHHIIiiII", 40, width, len(canvas), 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + len(info) + len(rows), 0, 0, 14 + len(info)) + info + rows


def main(folder):
    os.makedirs(folder, exist_ok=True)
    for name, picture in (("welcome.bmp", welcome), ("header.bmp", header)):
        with open(os.path.join(folder, name), "wb") as f:
            f.write(bmp(*picture()))


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit("usage: make_installer_pictures.py OUTPUT_DIR")
    main(sys.argv[1])
