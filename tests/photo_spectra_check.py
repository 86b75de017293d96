#!/usr/bin/python3
"""widmo-cli's spectrum pictures of photographs against numpy doing the same by the formulas:
for each photograph, every display (amplitude, log, phase) with and without the Hann window
and the mean padding. The photograph is first written as a 24-bit BMP by Pillow, so that both
sides start from the same pixels; its grey levels are (299 R + 587 G + 114 B + 500) // 1000.

Each photograph is checked whole and cut to odd sides (two thirds of its height and three
fifths of its width, plus one), so that the padding is not empty.

A pixel may differ by one level where the two transforms' last bits tip a floor (0 and 255
are neighbours in the phase); a phase may differ more only where the element is zero to
rounding. The centred spectrum (--npy) must match numpy's to 1e-9 of its largest amplitude.

Usage: photo_spectra_check.py WIDMO_CLI PHOTO...   Exit status 77 without numpy or Pillow.
"""
import os
import subprocess
import sys
import tempfile

try:
    import numpy as np
    from PIL import Image
except ImportError:
    sys.exit(77)


def padded(side):
    return 1 << max(0, (side - 1).bit_length())


def hann(side):
    if side == 1:
        return np.ones(1)
    return 0.5 - 0.5 * np.cos(2 * np.pi * np.arange(side) / (side - 1))


def spectrum(grey, window, mean):
    h, w = grey.shape
    samples = grey.astype(np.float64)
    if window:
        samples = samples * np.outer(hann(h), hann(w))
    fill = samples.mean() if mean else 0.0
    whole = np.full((padded(h), padded(w)), fill)
    whole[:h, :w] = samples
    # widmo's transform takes the sum with the positive exponent: numpy's, conjugated.
    return np.fft.fftshift(np.conj(np.fft.fft2(whole)))


def levels(x, mode):
    if mode == "amplitude":
        return np.minimum(np.floor(np.abs(x) * 0.001), 255)
    if mode == "log":
        logs = np.log1p(np.abs(x))
        low, high = logs.min(), logs.max()
        if high == low:
            return np.zeros(x.shape)
        return np.floor(255 * (logs - low) / (high - low))
    turns = 256 * (np.arctan2(x.imag, x.real) + np.pi) / (2 * np.pi)
    return np.minimum(np.floor(turns), 255)


def check(cli, grey, source, work, mode, window, mean):
    picture = os.path.join(work, "spectrum.pgm")
    npy = os.path.join(work, "spectrum.npy")
    options = ["--mode", mode, "--window", "hann" if window else "none",
               "--pad", "mean" if mean else "zero"]
    subprocess.run([cli, *options, "--npy", npy, source, picture], check=True)
    want = spectrum(grey, window, mean)
    got = np.load(npy)
    failures = []
    scale = np.abs(want).max()
    if got.shape != want.shape or np.abs(got - want).max() > 1e-9 * scale:
        failures.append("the spectrum differs from numpy's")
    painted = np.asarray(Image.open(picture)).astype(int)
    exact = levels(want, mode).astype(int)
    distance = np.abs(painted - exact)
    if mode == "phase":
        distance = np.minimum(distance, 256 - distance)
        distance[np.abs(want) < 1e-9 * scale] = 0
    if distance.max() > 1:
        failures.append(f"{(distance > 1).sum()} pixels differ by more than one level")
    share = (distance == 0).mean()
    print(f"{' '.join(options):40s} {100 * share:7.3f} % of pixels exact"
          + ("" if not failures else "  FAILED: " + "; ".join(failures)))
    return not failures


def main(cli, photos):
    good = True
    with tempfile.TemporaryDirectory() as work:
        for photo in photos:
            whole = np.asarray(Image.open(photo).convert("RGB")).astype(np.int64)
            h, w = whole.shape[:2]
            for rgb in (whole, whole[: h * 2 // 3 + 1, : w * 3 // 5 + 1]):
                print(f"{photo}, {rgb.shape[1]} x {rgb.shape[0]}")
                grey = (299 * rgb[..., 0] + 587 * rgb[..., 1] + 114 * rgb[..., 2] + 500) // 1000
                source = os.path.join(work, "photo.bmp")
                Image.fromarray(rgb.astype(np.uint8), "RGB").save(source)
                for mode in ("amplitude", "log", "phase"):
                    for window in (False, True):
                        for mean in (False, True):
                            good &= check(cli, grey, source, work, mode, window, mean)
    return 0 if good else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2:]))
