#!/usr/bin/env python3
"""Turns the clock icon's text source into the files the front ends need.

Usage: make_icon.py SOURCE OUTPUT_DIR

Writes kovrane-32.png and kovrane-16.png (RGBA, for the Qt window and the
desktop), kovrane.ico (both images), and the raw Windows resource payloads
icon-30001.bin (32 x 32), icon-30002.bin (16 x 16) and icon-group-1.bin, so
the Windows build can embed them as RT_ICON and RT_GROUP_ICON data without
depending on how a resource compiler splits an .ico file.

The source's outline of the same face gives the software centres' sizes:
kovrane-64.png, kovrane-128.png and kovrane-256.png, drawn with smooth
edges, and kovrane.svg.

Only the standard library is used: the generator runs on the build host of
every build, the cross build included.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

# Image size -> RT_ICON resource id, in the order the icon group lists them.
ICON_IDS = {32: 30001, 16: 30002}
GROUP_ID = 1
PALETTE_SIZE = 16
BLACK = (0, 0, 0)
# The outline is laid out on the 32 x 32 image's grid.
GRID = 32
OUTLINE_SIZES = (64, 128, 256)
SVG_SIZE = 256


class SourceError(Exception):
    pass


def parse_source(text):
    """Returns (legend, images, outline): legend maps a character to an
    (r, g, b) tuple or None for transparent; images maps a size to its rows;
    outline lists the shapes of the large drawing, see parse_shape."""
    legend = {}
    images = {}
    outline = []
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
        elif words[0] in SHAPES:
            outline.append(parse_shape(line.split("#")[0].split(), legend, number))
        else:
            raise SourceError(f"line {number}: cannot read {line!r}")
    check_complete(legend, images)
    if not outline:
        raise SourceError("the outline for the large images is missing")
    return legend, images, outline


# The lengths each shape takes; all but the disc then take "at HOURS".
SHAPES = {"disc": ("radius",), "ray": ("from", "to", "width"), "dots": ("radius", "size")}


def parse_shape(words, legend, number):
    """Returns (kind, colour, lengths, hours, round_ends)."""
    kind = words[0]
    if len(words) < 2 or legend.get(words[1]) is None:
        raise SourceError(f"line {number}: {kind} needs an opaque colour from the legend")
    rest = words[2:]
    at = rest.index("at") if "at" in rest else len(rest)
    lengths, hours = rest[:at], rest[at + 1:]
    round_ends = kind == "ray" and lengths[-1:] == ["round"]
    try:
        lengths = [float(word) for word in lengths[:len(lengths) - round_ends]]
        hours = [float(word) for word in hours]
    except ValueError:
        raise SourceError(f"line {number}: cannot read the numbers in {' '.join(words)!r}")
    if len(lengths) != len(SHAPES[kind]) or bool(hours) == (kind == "disc"):
        usage = " ".join(SHAPES[kind]) + ("" if kind == "disc" else " at HOURS")
        raise SourceError(f"line {number}: {kind} takes {usage}")
    if lengths[-1] <= 0 or (kind == "ray" and lengths[1] <= lengths[0]):
        raise SourceError(f"line {number}: {kind} would draw nothing")
    return kind, legend[words[1]], lengths, hours, round_ends


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


def png_bytes(size, rgba_rows):
    """An 8-bit RGBA PNG of rows of size * 4 bytes each."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    raw = b"".join(b"\0" + row for row in rgba_rows)  # filter type None on every row
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def pixel_map_rgba(rows, legend):
    return [b"".join(bytes((0, 0, 0, 0)) if legend[char] is None
                     else bytes(legend[char]) + b"\xff" for char in row) for row in rows]


def on_dial(hour, radius):
    """The grid point `radius` from the centre toward `hour` (12 up, 3 right)."""
    angle = math.radians(hour * 30)
    return GRID / 2 + radius * math.sin(angle), GRID / 2 - radius * math.cos(angle)


def primitives(outline):
    """The outline as circles (colour, centre, radius) and strokes
    (colour, start, end, width, round_ends), in painting order."""
    for kind, colour, lengths, hours, round_ends in outline:
        if kind == "disc":
            yield "circle", colour, on_dial(0, 0), lengths[0]
        elif kind == "dots":
            radius, size = lengths
            for hour in hours:
                yield "circle", colour, on_dial(hour, radius), size / 2
        else:
            start, end, width = lengths
            for hour in hours:
                ends = on_dial(hour, start), on_dial(hour, end)
                yield "stroke", colour, *ends, width, round_ends


def distance_function(shape):
    """Returns (signed distance from a grid point to the shape's edge,
    negative inside; the shape's reach from its centre point)."""
    if shape[0] == "circle":
        _, _, (cx, cy), radius = shape
        return (lambda x, y: math.hypot(x - cx, y - cy) - radius), (cx, cy, radius)
    _, _, (ax, ay), (bx, by), width, round_ends = shape
    length = math.hypot(bx - ax, by - ay)
    ux, uy = (bx - ax) / length, (by - ay) / length
    half = width / 2

    def distance(x, y):
        along = (x - ax) * ux + (y - ay) * uy
        across = abs((y - ay) * ux - (x - ax) * uy) - half
        if round_ends:
            beyond = max(-along, along - length, 0)
            return math.hypot(beyond, across + half) - half
        beyond = max(-along, along - length)
        return math.hypot(max(beyond, 0), max(across, 0)) + min(max(beyond, across), 0)
    return distance, ((ax + bx) / 2, (ay + by) / 2, length / 2 + half)


def outline_rgba(outline, size):
    """Paints the outline at size x size pixels. Each shape covers a pixel
    as far as its edge lies within half a pixel of the pixel's centre: a
    smooth edge without a blur."""
    scale = size / GRID
    premultiplied = [[0.0] * 4 * size for _ in range(size)]
    for shape in primitives(outline):
        colour = [channel / 255 for channel in shape[1]] + [1.0]  # opaque, premultiplied
        distance, (cx, cy, reach) = distance_function(shape)
        low = lambda centre: max(0, math.floor((centre - reach) * scale) - 1)
        high = lambda centre: min(size, math.ceil((centre + reach) * scale) + 1)
        for y in range(low(cy), high(cy)):
            row = premultiplied[y]
            for x in range(low(cx), high(cx)):
                cover = 0.5 - distance((x + 0.5) / scale, (y + 0.5) / scale) * scale
                if cover <= 0:
                    continue
                cover = min(cover, 1.0)
                pixel = slice(4 * x, 4 * x + 4)
                row[pixel] = [paint * cover + under * (1 - cover)
                              for paint, under in zip(colour, row[pixel])]
    return [b"".join(straight_rgba(row[i:i + 4]) for i in range(0, 4 * size, 4))
            for row in premultiplied]


def straight_rgba(pixel):
    """From premultiplied floats to the straight 8-bit RGBA a PNG holds."""
    *colour, alpha = pixel
    if alpha <= 0:
        return bytes(4)
    return bytes([*(round(min(channel / alpha, 1.0) * 255) for channel in colour),
                  round(alpha * 255)])


def svg_text(outline):
    number = lambda value: f"{value:.3f}".rstrip("0").rstrip(".")
    hex_colour = lambda colour: "#" + bytes(colour).hex()
    shapes = []
    for shape in primitives(outline):
        if shape[0] == "circle":
            _, colour, (cx, cy), radius = shape
            shapes.append(f'<circle cx="{number(cx)}" cy="{number(cy)}" r="{number(radius)}" '
                          f'fill="{hex_colour(colour)}"/>')
        else:
            _, colour, (ax, ay), (bx, by), width, round_ends = shape
            shapes.append(f'<line x1="{number(ax)}" y1="{number(ay)}" x2="{number(bx)}" '
                          f'y2="{number(by)}" stroke="{hex_colour(colour)}" '
                          f'stroke-width="{number(width)}" '
                          f'stroke-linecap="{"round" if round_ends else "butt"}"/>')
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{SVG_SIZE}" height="{SVG_SIZE}" '
            f'viewBox="0 0 {GRID} {GRID}">\n' + "".join(f"  {shape}\n" for shape in shapes)
            + "</svg>\n")


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
        legend, images, outline = parse_source(source.read_text(encoding="utf-8"))
    except SourceError as error:
        sys.exit(f"{source}: {error}")
    output.mkdir(parents=True, exist_ok=True)
    resources = {size: icon_resource(images[size], legend) for size in ICON_IDS}
    for size, rows in images.items():
        image = png_bytes(size, pixel_map_rgba(rows, legend))
        (output / f"kovrane-{size}.png").write_bytes(image)
        (output / f"icon-{ICON_IDS[size]}.bin").write_bytes(resources[size])
    (output / f"icon-group-{GROUP_ID}.bin").write_bytes(group_resource(resources))
    (output / "kovrane.ico").write_bytes(ico_file(resources))
    for size in OUTLINE_SIZES:
        image = png_bytes(size, outline_rgba(outline, size))
        (output / f"kovrane-{size}.png").write_bytes(image)
    (output / "kovrane.svg").write_text(svg_text(outline), encoding="utf-8")


if __name__ == "__main__":
    main(sys.argv)
