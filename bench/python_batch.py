#!/usr/bin/python3
"""The batch widmo-cli --output-dir does, as one Python process would do it with scipy and
Pillow: for each picture, load it, make it grey, pad it to powers of two, transform it with
scipy.fft.rfft2 on every processor, paint the centred amplitude at the scale 0.001 and save
it as an 8-bit grey BMP.

Usage: python_batch.py OUTPUT_DIR INPUT...
       python_batch.py --make COUNT SIDE FOLDER   (COUNT grey SIDE x SIDE BMP pictures)
"""
import os
import sys

import numpy as np
import scipy.fft
from PIL import Image


def padded(side):
    return 1 << max(0, (side - 1).bit_length())


def amplitude_picture(grey):
    h, w = padded(grey.shape[0]), padded(grey.shape[1])
    samples = np.zeros((h, w))
    samples[: grey.shape[0], : grey.shape[1]] = grey
    half = np.abs(scipy.fft.rfft2(samples, workers=-1))
    # The other half of a real picture's spectrum mirrors the first: |X(-u, -v)| = |X(u, v)|.
    whole = np.empty((h, w))
    whole[:, : w // 2 + 1] = half
    if w > 2:
        whole[:, w // 2 + 1 :] = half[(-np.arange(h)) % h][:, w // 2 - 1 : 0 : -1]
    levels = np.minimum(np.floor(np.fft.fftshift(whole) * 0.001), 255)
    return levels.astype(np.uint8)


def make_pictures(count, side, folder):
    os.makedirs(folder, exist_ok=True)
    rng = np.random.default_rng(1)
    y, x = np.mgrid[0:side, 0:side]
    for k in range(count):
        wave = 60 * np.sin((x * np.cos(k) + y * np.sin(k)) / (3 + k % 7))
        noise = rng.normal(0, 20, (side, side))
        grey = np.clip(128 + wave + noise, 0, 255).astype(np.uint8)
        Image.fromarray(grey, "L").save(os.path.join(folder, f"p{k:03d}.bmp"))


def main(args):
    if args[0] == "--make":
        make_pictures(int(args[1]), int(args[2]), args[3])
        return
    folder = args[0]
    os.makedirs(folder, exist_ok=True)
    for name in args[1:]:
        grey = np.asarray(Image.open(name).convert("L"), dtype=np.float64)
        stem = os.path.splitext(os.path.basename(name))[0]
        Image.fromarray(amplitude_picture(grey), "L").save(os.path.join(folder, stem + ".bmp"))


if __name__ == "__main__":
    main(sys.argv[1:])
