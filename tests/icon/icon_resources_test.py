"""Reads the generated Windows icon data the way the resource loader does and
checks it against the text pixel maps it came from.

Environment: KOVRANE_ICON_DIR (the generated files) and KOVRANE_ICON_SOURCE_DIR
(window/icon, for the generator's source reader and the pixel maps)."""

import os
import struct
import sys
import unittest
from pathlib import Path

ICON_DIR = Path(os.environ["KOVRANE_ICON_DIR"])
SOURCE_DIR = Path(os.environ["KOVRANE_ICON_SOURCE_DIR"])
sys.path.insert(0, str(SOURCE_DIR))
import make_icon  # noqa: E402

SIZES_AND_IDS = [(32, 30001), (16, 30002)]


def source():
    legend, images, _ = make_icon.parse_source(
        (SOURCE_DIR / "clock_icon.txt").read_text(encoding="utf-8"))
    return legend, images


def decode_icon_resource(data):
    """Returns rows top-down of (r, g, b) tuples, or None where the AND mask
    lets the background through, and the header fields that matter."""
    (header_size, width, height, planes, bit_count,
     compression) = struct.unpack_from("<IiiHHI", data)
    palette = [tuple(reversed(data[header_size + 4 * i:header_size + 4 * i + 3]))
               for i in range(16)]
    size = width
    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_start = header_size + 64
    and_start = xor_start + xor_stride * size
    rows = []
    for y in reversed(range(size)):
        row = []
        for x in range(size):
            byte = data[xor_start + y * xor_stride + x // 2]
            index = byte >> 4 if x % 2 == 0 else byte & 0x0F
            masked = data[and_start + y * and_stride + x // 8] >> (7 - x % 8) & 1
            row.append(None if masked else palette[index])
            if masked:
                assert palette[index] == (0, 0, 0), "a masked pixel must be black"
        rows.append(row)
    fields = dict(header_size=header_size, width=width, height=height, planes=planes,
                  bit_count=bit_count, compression=compression,
                  length=and_start + and_stride * size)
    return rows, fields


class IconGroupTest(unittest.TestCase):
    def test_group_names_both_images_with_their_real_sizes(self):
        data = (ICON_DIR / "icon-group-1.bin").read_bytes()
        self.assertEqual(struct.unpack_from("<HHH", data), (0, 1, 2))
        self.assertEqual(len(data), 6 + 2 * 14)
        for number, (size, resource_id) in enumerate(SIZES_AND_IDS):
            entry = struct.unpack_from("<BBBBHHIH", data, 6 + 14 * number)
            payload = ICON_DIR / f"icon-{resource_id}.bin"
            self.assertEqual(entry, (size, size, 16, 0, 1, 4, payload.stat().st_size,
                                     resource_id))


class IconResourceTest(unittest.TestCase):
    def test_payloads_are_4_bit_masked_bitmaps_of_the_pixel_maps(self):
        legend, images = source()
        for size, resource_id in SIZES_AND_IDS:
            with self.subTest(size=size):
                data = (ICON_DIR / f"icon-{resource_id}.bin").read_bytes()
                rows, fields = decode_icon_resource(data)
                self.assertEqual(fields, dict(header_size=40, width=size, height=2 * size,
                                              planes=1, bit_count=4, compression=0,
                                              length=len(data)))
                expected = [[legend[char] for char in row] for row in images[size]]
                self.assertEqual(rows, expected)

    def test_ico_file_holds_the_same_payloads(self):
        data = (ICON_DIR / "kovrane.ico").read_bytes()
        self.assertEqual(struct.unpack_from("<HHH", data), (0, 1, 2))
        for number, (size, resource_id) in enumerate(SIZES_AND_IDS):
            *head, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * number)
            self.assertEqual(head, [size, size, 16, 0, 1, 4])
            payload = (ICON_DIR / f"icon-{resource_id}.bin").read_bytes()
            self.assertEqual(data[offset:offset + length], payload)


class SourceReaderTest(unittest.TestCase):
    def test_malformed_sources_are_refused(self):
        legend = "colour . transparent\ncolour K 000000\n"
        rows = lambda size, char="K": f"image {size}\n" + (char * size + "\n") * size
        outline = "disc K 16\nray K -1 10 2 round at 10.5  # hand\n"
        good = legend + rows(32) + rows(16) + outline
        make_icon.parse_source(good)
        many_colours = "".join(f"colour {chr(65 + i)} {i:02x}{i:02x}01\n" for i in range(16))
        cases = {
            "seventeen colours": legend + many_colours + rows(32) + rows(16),
            "two transparent": legend + "colour , transparent\n" + rows(32) + rows(16),
            "no transparent": "colour K 000000\n" + rows(32) + rows(16),
            "bad colour": legend + "colour W FFFFF\n" + rows(32) + rows(16),
            "short row": legend + rows(32) + "image 16\n" + ("K" * 16 + "\n") * 15 + "K" * 15,
            "unknown pixel": legend + rows(32, "Z") + rows(16),
            "missing image": legend + rows(32),
            "odd size": legend + rows(32) + rows(16) + rows(48),
            "no outline": legend + rows(32) + rows(16),
            "clear shape": good + "disc . 3\n",
            "ray without hours": good + "ray K 0 10 2\n",
            "ray of no length": good + "ray K 5 5 2 at 3\n",
            "disc at an hour": good + "disc K 3 at 3\n",
            "dots short a number": good + "dots K 11 at 1 2\n",
            "word for a number": good + "dots K eleven 1 at 1\n",
        }
        for name, text in cases.items():
            with self.subTest(name), self.assertRaises(make_icon.SourceError):
                make_icon.parse_source(text)


if __name__ == "__main__":
    unittest.main()
