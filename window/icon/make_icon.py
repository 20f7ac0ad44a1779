#!/usr/bin/env python3
"""Turns the clock icon's text pixel maps into the files the front ends need.

Usage: make_icon.py SOURCE OUTPUT_DIR

Writes kovrane-32.png and kovrane-16.png (RGBA, for the Qt window and the
desktop), kovrane.ico (both images), and the raw Windows resource payloads
icon-30001.bin (32 x 32), icon-30002.bin (16 x 16) and icon-group-1.bin, so
the Windows build can embed them as RT_ICON and RT_GROUP_ICON data without
depending on how a resource compiler splits an .ico file.

Only the standard library is used: the generator runs on the build host of
every build, the cross build included.
"""

import struct
import sys
import zlib
from pathlib import Path

# Image size -> RT_ICON resource id, in the order the icon group lists them.
ICON_IDS = {32: 30001, 16: 30002}
GROUP_ID = 1
PALETTE_SIZE = 16
BLACK = (0, 0, 0)


class SourceError(Exception):
    pass


def parse_source(text):
    """Returns (legend, images): legend maps a character to an (r, g, b)
    tuple or None for transparent; images maps a size to its rows."""
    legend = {}
    images = {}
    current = None
    for number, raw in enumerate(text.splitlines(), start=1):
        line = raw.rstrip()
        if current is not None and len(images[current]) < current:
            if len(line) != current:
                raise SourceError(f"line {number}: a row of the {current} x {current} "
                                  f"image must be {current} characters, not {len(line)}")
            unknown = set(line) - legend.keys()
            if unknown:
                raise SourceError(f"line {number}: no colour for {''.join(sorted(unknown))!r}")
            images[current].append(line)
            continue
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        if words[0] == "colour" and len(words) >= 3 and len(words[1]) == 1:
            legend[words[1]] = parse_colour(words[2], number)
        elif words[0] == "image" and len(words) == 2 and words[1].isdigit():
            current = int(words[1])
            if current not in ICON_IDS or current in images:
                raise SourceError(f"line {number}: unexpected image size {current}")
            images[current] = []
        else:
            raise SourceError(f"line {number}: cannot read {line!r}")
    check_complete(legend, images)
    return legend, images


def parse_colour(word, number):
    if word == "transparent":
        return None
    if len(word) == 6:
        try:
            return tuple(bytes.fromhex(word))
        except ValueError:
            pass
    raise SourceError(f"line {number}: colour must be RRGGBB or transparent, not {word!r}")


def check_complete(legend, images):
    if list(legend.values()).count(None) != 1:
        raise SourceError("the legend needs exactly one transparent character")
    if len(palette_of(legend)) > PALETTE_SIZE:
        raise SourceError(f"more than {PALETTE_SIZE} colours, black included")
    for size in ICON_IDS:
        if len(images.get(size, ())) != size:
            raise SourceError(f"the {size} x {size} image is missing or short")


def palette_of(legend):
    # Black comes first: a transparent pixel must have colour 0 = black in
    # the XOR bitmap, or Windows tints the background behind the mask.
    palette = [BLACK]
    for colour in legend.values():
        if colour is not None and colour not in palette:
            palette.append(colour)
    return palette


def png_bytes(rows, legend):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    size = len(rows)
    raw = bytearray()
    for row in rows:
        raw.append(0)  # filter type None
        for char in row:
            colour = legend[char]
            raw += bytes((0, 0, 0, 0)) if colour is None else bytes(colour) + b"\xff"
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def padded_row(data):
    return data + bytes(-len(data) % 4)


def icon_resource(rows, legend):
    """The RT_ICON payload: a 4-bit DIB whose height counts the XOR bitmap
    and the AND mask together, both stored bottom row first."""
    size = len(rows)
    palette = palette_of(legend)
    index = {char: 0 if colour is None else palette.index(colour)
             for char, colour in legend.items()}
    xor_bitmap = bytearray()
    and_mask = bytearray()
    for row in reversed(rows):
        nibbles = [index[char] for char in row]
        xor_bitmap += padded_row(bytes(high << 4 | low
                                       for high, low in zip(nibbles[0::2], nibbles[1::2])))
        bits = "".join("1" if legend[char] is None else "0" for char in row)
        and_mask += padded_row(int(bits, 2).to_bytes(size // 8, "big"))
    palette_data = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    palette_data += bytes(4 * (PALETTE_SIZE - len(palette)))
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0,
                         len(xor_bitmap) + len(and_mask), 0, 0, 0, 0)
    return header + palette_data + bytes(xor_bitmap) + bytes(and_mask)


def directory_entry_head(size):
    # Width, height, colour count, reserved, planes, bits per pixel: the part
    # an .ico entry and an icon group entry share.
    return struct.pack("<BBBBHH", size, size, PALETTE_SIZE, 0, 1, 4)


def group_resource(resources):
    """The RT_GROUP_ICON payload: the .ico directory with resource ids in
    place of file offsets."""
    data = struct.pack("<HHH", 0, 1, len(resources))
    for size, payload in resources.items():
        data += directory_entry_head(size) + struct.pack("<IH", len(payload), ICON_IDS[size])
    return data


def ico_file(resources):
    header_size = 6 + 16 * len(resources)
    data = struct.pack("<HHH", 0, 1, len(resources))
    offset = header_size
    for size, payload in resources.items():
        data += directory_entry_head(size) + struct.pack("<II", len(payload), offset)
        offset += len(payload)
    return data + b"".join(resources.values())


def main(argv):
    if len(argv) != 3:
        sys.exit(__doc__.split("\n\n")[1])
    source, output = Path(argv[1]), Path(argv[2])
    try:
        legend, images = parse_source(source.read_text(encoding="utf-8"))
    except SourceError as error:
        sys.exit(f"{source}: {error}")
    output.mkdir(parents=True, exist_ok=True)
    resources = {size: icon_resource(images[size], legend) for size in ICON_IDS}
    for size, rows in images.items():
        (output / f"kovrane-{size}.png").write_bytes(png_bytes(rows, legend))
        (output / f"icon-{ICON_IDS[size]}.bin").write_bytes(resources[size])
    (output / f"icon-group-{GROUP_ID}.bin").write_bytes(group_resource(resources))
    (output / "kovrane.ico").write_bytes(ico_file(resources))


if __name__ == "__main__":
    main(sys.argv)
