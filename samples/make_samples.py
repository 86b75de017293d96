#!/usr/bin/env python3
"""Writes the sample pictures: four patterns, each as an 8-bit grey and a 24-bit colour BMP.

The sides, 99 x 75, are not powers of two, so the spectrum needs padding, and the rows of
both depths need filler bytes to reach a multiple of four. Usage: make_samples.py [FOLDER]
(default: the folder of this script).
"""

import math
import struct
import sys
from pathlib import Path

WIDTH = 99
HEIGHT = 75


def constant(x, y):
    return 100


def disc(x, y):
    inside = (x - WIDTH / 2) ** 2 + (y - HEIGHT / 2) ** 2 <= 20**2
    return 255 if inside else 0


def grating(x, y):
    # Stripes about 8 pixels apart, turned 30 degrees from the vertical.
    angle = math.radians(30)
    along = x * math.cos(angle) + y * math.sin(angle)
    return round(127.5 + 127.5 * math.cos(2 * math.pi * along / 8))


def checkerboard(x, y):
    return 255 if (x // 8 + y // 8) % 2 == 0 else 0


PATTERNS = {"constant": constant, "disc": disc, "grating": grating, "checkerboard": checkerboard}


def colour(level, x):
    """A colour whose grey level follows the pattern, with a tint that changes across."""
    tint = 40 * x // WIDTH
    return (min(255, level + tint), level, max(0, level - tint))


def bmp_bytes(bits, rows):
    """An uncompressed BMP, rows given top first, of palette indices (8 bits) or colours."""
    stride = (WIDTH * bits // 8 + 3) // 4 * 4
    palette = b"".join(bytes((i, i, i, 0)) for i in range(256)) if bits == 8 else b""
    pixels = bytearray()
    for row in reversed(rows):  # stored bottom row first
        if bits == 8:
            line = bytes(row)
        else:
            line = b"".join(bytes((b, g, r)) for r, g, b in row)
        pixels += line + bytes(stride - len(line))
    offset = 14 + 40 + len(palette)
    file_header = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset)
    info_header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, bits, 0, len(pixels),
                              2835, 2835, 256 if bits == 8 else 0, 0)
    return file_header + info_header + palette + bytes(pixels)


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    folder.mkdir(parents=True, exist_ok=True)
    for name, pattern in PATTERNS.items():
        levels = [[pattern(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
        colours = [[colour(level, x) for x, level in enumerate(row)] for row in levels]
        (folder / f"{name}-grey.bmp").write_bytes(bmp_bytes(8, levels))
        (folder / f"{name}-colour.bmp").write_bytes(bmp_bytes(24, colours))
        print(f"{name}-grey.bmp {name}-colour.bmp")


if __name__ == "__main__":
    main()
