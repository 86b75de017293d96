#!/usr/bin/python3
"""The spectrum picture computed with numpy, to time widmo-cli against.

Usage: numpy_spectrum.py INPUT.bmp OUTPUT.bmp      the same work widmo-cli does
       numpy_spectrum.py --make SIZE OUTPUT.bmp    writes a SIZE x SIZE 8-bit test picture
Reads an uncompressed 8-bit BMP, pads it with zeros to powers of two, takes the 2-D sum
with the positive exponent, moves the zero frequency to the middle and writes
min(255, floor(0.001 |X|)) as an 8-bit grey BMP.
"""
import struct
import sys

import numpy as np


def read_bmp8(name):
    with open(name, "rb") as handle:
        data = handle.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    if bits != 8:
        raise SystemExit(f"{name}: {bits} bits per pixel, only 8 are read here")
    stride = (width + 3) & ~3
    rows = np.frombuffer(data, np.uint8, stride * abs(height), offset).reshape(abs(height), stride)
    pixels = rows[:, :width]
    return pixels[::-1] if height > 0 else pixels


def write_bmp8(name, pixels):
    height, width = pixels.shape
    stride = (width + 3) & ~3
    palette = np.repeat(np.arange(256, dtype=np.uint8), 4).reshape(256, 4)
    palette[:, 3] = 0
    offset = 14 + 40 + 256 * 4
    size = offset + stride * height
    rows = np.zeros((height, stride), np.uint8)
    rows[:, :width] = pixels[::-1]
    with open(name, "wb") as handle:
        handle.write(b"BM" + struct.pack("<IHHI", size, 0, 0, offset))
        handle.write(struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, stride * height,
                                 2835, 2835, 256, 0))
        handle.write(palette.tobytes())
        handle.write(rows.tobytes())


def padded(n):
    return 1 << max(0, (n - 1).bit_length())


def spectrum_picture(pixels):
    height, width = pixels.shape
    a = np.zeros((padded(height), padded(width)), np.complex128)
    a[:height, :width] = pixels
    # The positive exponent without the 1/N of the inverse transform.
    x = np.fft.ifft2(a) * a.size
    x = np.fft.fftshift(x)
    return np.minimum(np.floor(np.abs(x) * 0.001), 255).astype(np.uint8)


def make_picture(size, name):
    y, x = np.mgrid[0:size, 0:size]
    disc = (x - size / 2) ** 2 + (y - size / 3) ** 2 < (size / 5) ** 2
    grating = 64 + 63 * np.sin(x * 0.05 + y * 0.02)
    write_bmp8(name, np.where(disc, 230, grating).astype(np.uint8))


def main():
    if sys.argv[1] == "--make":
        make_picture(int(sys.argv[2]), sys.argv[3])
    else:
        write_bmp8(sys.argv[2], spectrum_picture(read_bmp8(sys.argv[1])))


if __name__ == "__main__":
    main()
