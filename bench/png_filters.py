#!/usr/bin/python3
"""What PNG's row filters and zlib's levels and strategies make of spectrum pictures: each
picture's rows filtered as a PNG encoder would (a filter byte, then the filtered row), the
stream deflated with Python's zlib, which is the zlib libpng uses. Prints, per filter,
strategy and level, the total compressed bytes as a share of the pixels and the best of
three processor times of the deflating alone. 'adaptive' is libpng's default choice: per
row the filter with the smallest sum of absolute values (as signed bytes).

Usage: png_filters.py PICTURE...
"""
import sys
import time
import zlib

import numpy as np
from PIL import Image


def filtered_rows(pixels):
    """Each of the five filters over all rows, as int arrays of the picture's shape."""
    x = pixels.astype(np.int32)
    left = np.zeros_like(x)
    left[:, 1:] = x[:, :-1]
    up = np.zeros_like(x)
    up[1:, :] = x[:-1, :]
    upper_left = np.zeros_like(x)
    upper_left[1:, 1:] = x[:-1, :-1]
    p = left + up - upper_left
    pa, pb, pc = np.abs(p - left), np.abs(p - up), np.abs(p - upper_left)
    paeth = np.where((pa <= pb) & (pa <= pc), left, np.where(pb <= pc, up, upper_left))
    predictions = [np.zeros_like(x), left, up, (left + up) // 2, paeth]
    return [(x - predicted) % 256 for predicted in predictions]


def stream(pixels, choice):
    filtered = filtered_rows(pixels)
    if choice == "adaptive":
        costs = [np.abs(np.where(f > 127, f - 256, f)).sum(axis=1) for f in filtered]
        kinds = np.argmin(np.stack(costs), axis=0)
    else:
        kinds = np.full(pixels.shape[0], choice)
    rows = np.stack([filtered[k][y] for y, k in enumerate(kinds)])
    return np.concatenate([kinds[:, None], rows], axis=1).astype(np.uint8).tobytes()


def main(names):
    pictures = [np.asarray(Image.open(name).convert("L")) for name in names]
    raw = sum(p.size for p in pictures)
    print(f"{len(pictures)} pictures, {raw} bytes of pixels")
    print("| filter | strategy | level | of the pixels | processor s |")
    print("|---|---|---|---|---|")
    strategies = {"default": zlib.Z_DEFAULT_STRATEGY, "filtered": zlib.Z_FILTERED,
                  "huffman": zlib.Z_HUFFMAN_ONLY, "rle": zlib.Z_RLE}
    for filter_name, choice in (("none", 0), ("sub", 1), ("up", 2), ("paeth", 4), ("adaptive", "adaptive")):
        streams = [stream(p, choice) for p in pictures]
        for strategy, code in strategies.items():
            levels = (1, 3, 6, 9) if strategy in ("default", "filtered") else (1,)
            for level in levels:
                best, size = float("inf"), 0
                for _ in range(3):
                    start = time.process_time()
                    size = 0
                    for data in streams:
                        packer = zlib.compressobj(level, zlib.DEFLATED, 15, 8, code)
                        size += len(packer.compress(data)) + len(packer.flush())
                    best = min(best, time.process_time() - start)
                print(f"| {filter_name} | {strategy} | {level} | {size / raw:.3f} | {best:.3f} |")
                sys.stdout.flush()


if __name__ == "__main__":
    main(sys.argv[1:])
