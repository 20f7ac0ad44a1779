"""Opens the generated icon files with the desktop's own tools (icoutils and
ImageMagick) and checks what they see: the sizes and depths, the transparent
surround, and a clock drawn as described.

Environment: KOVRANE_ICON_DIR. Exits 77 (skipped) when a tool is missing."""

import math
import os
import shutil
import subprocess
import sys
import unittest
from pathlib import Path

ICON_DIR = Path(os.environ["KOVRANE_ICON_DIR"])
TOOLS = ["icotool", "identify", "convert"]


def run(*command):
    return subprocess.run(command, check=True, capture_output=True).stdout


def rgba_pixels(image, size):
    raw = run("convert", str(image), "-depth", "8", "rgba:-")
    return [[tuple(raw[4 * (y * size + x):4 * (y * size + x) + 4]) for x in range(size)]
            for y in range(size)]


def pixel_toward(pixels, hour, fraction):
    """The pixel at `fraction` of the radius from the centre, toward `hour`
    on the dial (12 up, 3 right)."""
    size = len(pixels)
    angle = math.radians(hour * 30)
    x = size / 2 + math.sin(angle) * fraction * size / 2
    y = size / 2 - math.cos(angle) * fraction * size / 2
    return pixels[int(y)][int(x)]


def kind(pixel):
    r, g, b, a = pixel
    if a == 0:
        return "transparent"
    if r > 200 and g < 60 and b < 60:
        return "red"
    if max(r, g, b) < 60:
        return "black"
    if min(r, g, b) > 220:
        return "white"
    return "other"


class IconFileTest(unittest.TestCase):
    def test_ico_holds_32_and_16_pixel_images_at_4_bits(self):
        listing = run("icotool", "-l", str(ICON_DIR / "kovrane.ico")).decode().splitlines()
        images = [dict(word.lstrip("-").split("=") for word in line.split() if "=" in word)
                  for line in listing]
        self.assertEqual([(image["width"], image["height"], image["bit-depth"])
                          for image in images], [("32", "32", "4"), ("16", "16", "4")])

    def test_ico_and_png_show_the_same_picture(self):
        for index, size in enumerate([32, 16]):
            with self.subTest(size=size):
                from_ico = rgba_pixels(f"{ICON_DIR / 'kovrane.ico'}[{index}]", size)
                from_png = rgba_pixels(ICON_DIR / f"kovrane-{size}.png", size)
                self.assertEqual(from_ico, from_png)


class ClockDrawingTest(unittest.TestCase):
    # (where on the dial, what must be there), for both sizes.
    LANDMARKS = [
        ((4.5, 1.4), "transparent"),  # corners are outside the face
        ((10.5, 1.4), "transparent"),
        ((12, 0.95), "black"),        # the rim
        ((3, 0.95), "black"),
        ((7, 0.9), "black"),
        ((12, 0.7), "black"),         # the marks at 12, 3, 6 and 9 ...
        ((3, 0.7), "black"),
        ((6, 0.7), "black"),
        ((9, 0.7), "black"),
        ((11.5, 0.7), "white"),       # ... on the white dial
        ((7.5, 0.5), "white"),
        ((2.5, 0.4), "white"),
        ((10.5, 0.55), "black"),      # the long hand toward half past ten
        ((5, 0.35), "black"),         # the short hand toward five ...
        ((5, 0.55), "white"),         # ... shorter than the long one
        ((1, 0.4), "red"),            # the red hand toward one
    ]

    def test_the_clock_is_drawn_as_described(self):
        for size in [32, 16]:
            pixels = rgba_pixels(ICON_DIR / f"kovrane-{size}.png", size)
            for (hour, fraction), expected in self.LANDMARKS:
                with self.subTest(size=size, hour=hour, fraction=fraction):
                    self.assertEqual(kind(pixel_toward(pixels, hour, fraction)), expected)

    def test_each_image_uses_at_most_16_colours(self):
        for size in [32, 16]:
            with self.subTest(size=size):
                png = str(ICON_DIR / f"kovrane-{size}.png")
                self.assertEqual(run("identify", "-format", "%wx%h", png).decode(),
                                 f"{size}x{size}")
                colours = int(run("identify", "-format", "%k", png))
                self.assertLessEqual(colours, 16)


if __name__ == "__main__":
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"skipped: {', '.join(missing)} not installed", file=sys.stderr)
        sys.exit(77)
    unittest.main()
