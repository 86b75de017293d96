#!/usr/bin/python3
"""The photograph batch `widmo-cli -m log -w hann -f png -o DIR` does, as one Python process
would do it with Pillow and scipy: for each JPEG, decode it, reduce it to grey with
(299 R + 587 G + 114 B + 500) // 1000 on the decoded colours, weigh it with the Hann window,
pad it with zeros to powers of two, transform it with scipy.fft.rfft2 on every processor,
paint the centred ln(1 + |X|) between its smallest and largest value, and save a PNG.

Usage: photo_batch.py OUTPUT_DIR INPUT...
       photo_batch.py --make COUNT FOLDER   (COUNT JPEG photographs of about 2000 x 1500,
                                             crops, scales and flips of scikit-image's data)
       photo_batch.py --compare DIR_A DIR_B (pictures of the same names, within one grey
                                             level on at least 99 % of the pixels of each)
"""
import os
import sys

import numpy as np
import scipy.fft
from PIL import Image

from python_batch import padded


def hann(side):
    if side == 1:
        return np.ones(1)
    return 0.5 - 0.5 * np.cos(2 * np.pi * np.arange(side) / (side - 1))


def grey_levels(name):
    with Image.open(name) as picture:
        rgb = np.asarray(picture.convert("RGB"), dtype=np.int32)
    return (299 * rgb[..., 0] + 587 * rgb[..., 1] + 114 * rgb[..., 2] + 500) // 1000


def log_picture(grey):
    h, w = grey.shape
    ph, pw = padded(h), padded(w)
    samples = np.zeros((ph, pw))
    samples[:h, :w] = grey * np.outer(hann(h), hann(w))
    # Half the spectrum is enough: |X(-u, -v)| = |X(u, v)| for real samples, so the smallest
    # and largest L are those of the half, and the other half is its mirror.
    logs = np.log1p(np.abs(scipy.fft.rfft2(samples, workers=-1)))
    low, high = logs.min(), logs.max()
    if high == low:
        return np.zeros((ph, pw), dtype=np.uint8)
    half = np.floor(255 * (logs - low) / (high - low)).astype(np.uint8)
    whole = np.empty((ph, pw), dtype=np.uint8)
    whole[:, : pw // 2 + 1] = half
    if pw > 2:
        whole[:, pw // 2 + 1 :] = half[(-np.arange(ph)) % ph][:, pw // 2 - 1 : 0 : -1]
    return np.fft.fftshift(whole)


def source_pictures():
    import skimage.data

    pictures = []
    for name in ("astronaut", "chelsea", "coffee", "rocket", "immunohistochemistry", "hubble_deep_field",
                 "camera", "page", "text", "moon", "coins", "horse"):
        try:
            picture = getattr(skimage.data, name)()
        except Exception:  # a picture this scikit-image lacks or would download
            continue
        if picture.dtype == bool:
            picture = picture.astype(np.uint8) * 255
        picture = Image.fromarray(picture.astype(np.uint8)).convert("RGB")
        pictures.append(picture)
    if len(pictures) < 3:
        sys.exit("photo_batch.py: scikit-image's data pictures are missing (python3-skimage)")
    return pictures


def make_photographs(count, folder):
    os.makedirs(folder, exist_ok=True)
    sources = source_pictures()
    rng = np.random.default_rng(20)
    for k in range(count):
        source = sources[k % len(sources)]
        w, h = source.size
        # A crop of half to all of each side, scaled to about 2000 x 1500, sometimes flipped.
        cw, ch = int(w * rng.uniform(0.5, 1.0)), int(h * rng.uniform(0.5, 1.0))
        left, top = int(rng.integers(0, w - cw + 1)), int(rng.integers(0, h - ch + 1))
        size = (int(rng.integers(1900, 2101)), int(rng.integers(1400, 1601)))
        photo = source.crop((left, top, left + cw, top + ch)).resize(size, Image.BICUBIC)
        if k // len(sources) % 2 == 1:
            photo = photo.transpose(Image.FLIP_LEFT_RIGHT)
        if k // len(sources) % 3 == 2:
            photo = photo.transpose(Image.FLIP_TOP_BOTTOM)
        photo.save(os.path.join(folder, f"photo{k:03d}.jpg"), quality=90)


def compare(first, second):
    worst = 1.0
    names = sorted(os.listdir(first))
    for name in names:
        a = np.asarray(Image.open(os.path.join(first, name))).astype(int)
        b = np.asarray(Image.open(os.path.join(second, name))).astype(int)
        if a.shape != b.shape:
            print(f"{name}: {a.shape} against {b.shape}")
            return False
        close = np.count_nonzero(np.abs(a - b) <= 1) / a.size
        worst = min(worst, close)
    print(f"outputs: {len(names)} pictures, at worst {100 * worst:.3f} % of a picture's pixels"
          " within one grey level")
    return len(names) > 0 and worst >= 0.99


def main(args):
    if args[0] == "--make":
        make_photographs(int(args[1]), args[2])
        return 0
    if args[0] == "--compare":
        return 0 if compare(args[1], args[2]) else 1
    folder = args[0]
    os.makedirs(folder, exist_ok=True)
    for name in args[1:]:
        stem = os.path.splitext(os.path.basename(name))[0]
        picture = Image.fromarray(log_picture(grey_levels(name)), "L")
        picture.save(os.path.join(folder, stem + ".png"))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
