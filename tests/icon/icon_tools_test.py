"""Opens the generated icon files with the desktop's own tools (icoutils,
ImageMagick and librsvg) and checks what they see: the sizes and depths, the
transparent surround, a clock drawn as described at every size, the large
images and the SVG the same face as the 32 px pixel map, and the small
images unchanged.

Environment: KOVRANE_ICON_DIR. Exits 77 (skipped) when a tool is missing."""

import hashlib
import math
import os
import shutil
import subprocess
import sys
import unittest
from pathlib import Path

ICON_DIR = Path(os.environ["KOVRANE_ICON_DIR"])
TOOLS = ["icotool", "identify", "convert", "rsvg-convert"]
PIXEL_MAP_SIZES = [32, 16]
OUTLINE_SIZES = [64, 128, 256]
# The small images are frozen: the Windows program and the desktop ship
# them as drawn. Change a digest only with a deliberate redraw.
FROZEN = {
    "kovrane-32.png": "766a96e93a03d8817bad19270d5a97fa1dd40a3b98943ee72de20b70ed40a8b5",
    "kovrane-16.png": "aef8bd6a40fed540a4c737c177ed2bd6d143e8b6d607d2150b0ac1aac571ad17",
    "kovrane.ico": "49d6a88d671f2a2a73be1f76d4a25aaad85f17cd3f01141d85e602de50063002",
    "icon-30001.bin": "0c53a1d1e3c0183281ded6c6a64d1039fd98a76342c16f63c0b689b85b829799",
    "icon-30002.bin": "c157e10fa52f935b16b8aded0e27c682b8e80a968b101f70958b1e0b44267a41",
    "icon-group-1.bin": "f5e735ae527bb0eba5289d4218d6a900acb806a504b9ecf973ede85a11438b57",
}


def run(*command, input=None):
    return subprocess.run(command, input=input, check=True, capture_output=True).stdout


def rgba_pixels(image, size, *options, input=None):
    raw = run("convert", str(image), *options, "-depth", "8", "rgba:-", input=input)
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
    if a < 128:
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

    def test_small_outputs_are_unchanged(self):
        for name, digest in FROZEN.items():
            with self.subTest(name):
                data = (ICON_DIR / name).read_bytes()
                self.assertEqual(hashlib.sha256(data).hexdigest(), digest)


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
        for size in PIXEL_MAP_SIZES + OUTLINE_SIZES:
            pixels = rgba_pixels(ICON_DIR / f"kovrane-{size}.png", size)
            for (hour, fraction), expected in self.LANDMARKS:
                with self.subTest(size=size, hour=hour, fraction=fraction):
                    self.assertEqual(kind(pixel_toward(pixels, hour, fraction)), expected)

    def test_each_small_image_uses_at_most_16_colours(self):
        for size in PIXEL_MAP_SIZES:
            with self.subTest(size=size):
                png = str(ICON_DIR / f"kovrane-{size}.png")
                self.assertEqual(run("identify", "-format", "%wx%h", png).decode(),
                                 f"{size}x{size}")
                colours = int(run("identify", "-format", "%k", png))
                self.assertLessEqual(colours, 16)


class LargeImagesTest(unittest.TestCase):
    def test_large_images_shrunk_to_32_px_are_the_pixel_map(self):
        # Shrinking blurs edges into greys, which say nothing; every pixel
        # that comes out clearly black, white, red or clear must match.
        pixel_map = rgba_pixels(ICON_DIR / "kovrane-32.png", 32)
        for size in OUTLINE_SIZES:
            with self.subTest(size=size):
                self.assertEqual(run("identify", "-format", "%wx%h",
                                     str(ICON_DIR / f"kovrane-{size}.png")).decode(),
                                 f"{size}x{size}")
                shrunk = rgba_pixels(ICON_DIR / f"kovrane-{size}.png", 32,
                                     "-filter", "box", "-resize", "32x32")
                pairs = [(kind(a), kind(b)) for row_a, row_b in zip(pixel_map, shrunk)
                         for a, b in zip(row_a, row_b)]
                unclear = sum(shrunk_kind == "other" for _, shrunk_kind in pairs)
                self.assertLess(unclear, 128)
                self.assertEqual([(x % 32, x // 32, a, b) for x, (a, b) in enumerate(pairs)
                                  if b != "other" and a != b], [])

    def test_svg_draws_the_256_px_image(self):
        # Compared premultiplied: the colour of a nearly clear pixel hardly shows.
        def premultiplied(pixels):
            return [channel * alpha // 255 for row in pixels for *colour, alpha in row
                    for channel in (*colour, alpha)]
        svg = run("rsvg-convert", "-w", "256", "-h", "256", str(ICON_DIR / "kovrane.svg"))
        rendered = premultiplied(rgba_pixels("png:-", 256, input=svg))
        drawn = premultiplied(rgba_pixels(ICON_DIR / "kovrane-256.png", 256))
        self.assertLess(max(abs(a - b) for a, b in zip(rendered, drawn)), 48)


if __name__ == "__main__":
    missing = [tool for tool in TOOLS if shutil.which(tool) is None]
    if missing:
        print(f"skipped: {', '.join(missing)} not installed", file=sys.stderr)
        sys.exit(77)
    unittest.main()
