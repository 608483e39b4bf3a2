#!/usr/bin/env python3
"""Draws the thread texture standards/Images/3iaoftt.jpg.

Usage: python3 tools/make_thread_texture.py [--out FILE] [--size N]

The part builders wrap this image once around the threaded cylinder (its width is the
circumference) and stretch its height over 6.25 thread pitches. So the image holds 6.25 thread
crests from top to bottom, and each crest climbs by one pitch from the left edge to the right
edge (a right-hand helix), which makes the left and right edges meet without a step. Each crest
is shaded as a lit flank and a shadowed flank on a soft grey gradient.

The greyscale picture is computed here and written as a PGM; ImageMagick turns it into a small
JPEG (apt-get install -y imagemagick). Needs only the standard library otherwise.
"""

import argparse
import math
import os
import shutil
import subprocess
import sys
import tempfile

PITCHES_PER_HEIGHT = 6.25


def pixel(x, y, size):
    """Grey level 0..255 at pixel (x, y) of a size x size image."""
    period = size / PITCHES_PER_HEIGHT
    # Height along the helix: the crest rises one period across the full width.
    phase = ((y + x * period / size) / period) % 1.0
    # Thread profile: lit upper flank, then shadowed lower flank, sharp crest and root lines.
    if phase < 0.5:
        shade = 0.35 + 1.1 * phase          # brightening towards the crest
    else:
        shade = 0.9 - 1.2 * (phase - 0.5)   # shadow side down to the root
    crest = math.exp(-((phase - 0.5) * 40) ** 2)   # thin bright crest line
    root = math.exp(-(min(phase, 1 - phase) * 40) ** 2)  # thin dark root line
    gradient = 0.85 + 0.15 * math.cos(2 * math.pi * (x / size - 0.3))
    value = (shade + 0.35 * crest - 0.25 * root) * gradient
    return max(0, min(255, int(round(60 + 150 * value))))


def write_pgm(path, size):
    with open(path, "wb") as f:
        f.write(b"P5\n%d %d\n255\n" % (size, size))
        for y in range(size):
            f.write(bytes(pixel(x, y, size) for x in range(size)))


def find_imagemagick():
    for name in ("magick", "/usr/bin/convert", "convert"):
        exe = shutil.which(name)
        if not exe:
            continue
        try:
            out = subprocess.run([exe, "-version"], capture_output=True, text=True).stdout
        except OSError:
            continue
        if out.startswith("Version: ImageMagick"):
            return exe
    return None


def main(argv=None):
    here = os.path.dirname(os.path.abspath(__file__))
    default = os.path.join(os.path.dirname(here), "standards", "Images", "3iaoftt.jpg")
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--out", default=default)
    ap.add_argument("--size", type=int, default=256)
    args = ap.parse_args(argv)
    exe = find_imagemagick()
    if exe is None:
        print("ImageMagick not found: apt-get install -y imagemagick", file=sys.stderr)
        return 1
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        pgm = os.path.join(tmp, "thread.pgm")
        write_pgm(pgm, args.size)
        subprocess.run([exe, pgm, "-strip", "-type", "TrueColor", "-interlace", "none",
                        "-quality", "85", args.out],
                       check=True)
    size = os.path.getsize(args.out)
    print("%s: %d bytes" % (args.out, size))
    return 0 if size < 50 * 1024 else 1


if __name__ == "__main__":
    sys.exit(main())
