#!/usr/bin/env python3
"""Builds the program's icons and menu pictures from the pixel-art sources in resources/art.

A source file is plain text:

    # comment
    kind icon            (icon -> NNN.ico, bitmap -> NNN.bmp)
    palette
    . transparent
    k 000000             (one character, then RRGGBB)
    image 32             (a square image of that size; icons may hold several)
    ................     (one line per pixel row, one palette character per pixel)

The output file is named after the number at the start of the source's name (200-program.txt
gives 200.ico). Bitmaps are 24-bit; their transparent pixels take the menu background colour.

A toolbar source names the buttons' pictures by the numbers of their sources:

    kind toolbar
    buttons 800 801 802 ...

and gives one strip of the buttons side by side for each toolbar size (toolbar16.bmp,
toolbar24.bmp, toolbar32.bmp), transparent pixels in magenta for the image list's mask. A
source's own image of a size is taken where it has one; otherwise its smallest image is scaled.
"""
import os
import struct
import sys

MENU_BACKGROUND = (0xF0, 0xF0, 0xF0)
TOOLBAR_MASK = (0xFF, 0x00, 0xFF)
TOOLBAR_SIZES = (16, 24, 32)


def parse(path):
    kind, palette, images, buttons = None, {}, [], []
    section, current = None, None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#") and section != "image":
                continue
            words = line.split()
            if words[0] == "kind":
                kind = words[1]
            elif words[0] == "buttons":
                buttons += words[1:]
            elif words[0] == "palette":
                section = "palette"
            elif words[0] == "image":
                size = int(words[1])
                current = {"size": size, "rows": []}
                images.append(current)
                section = "image"
            elif section == "palette":
                ch, value = line.strip()[0], words[1]
                palette[ch] = None if value == "transparent" else tuple(
                    int(value[i:i + 2], 16) for i in (0, 2, 4))
            elif section == "image":
                row = line.strip()
                if len(row) != current["size"]:
                    raise SystemExit(f"{path}: row of {len(row)} pixels in a {current['size']} image: {row!r}")
                current["rows"].append([palette[c] for c in row])
    for image in images:
        if len(image["rows"]) != image["size"]:
            raise SystemExit(f"{path}: {len(image['rows'])} rows in a {image['size']} image")
    if kind == "toolbar":
        if not buttons:
            raise SystemExit(f"{path}: a toolbar needs its buttons")
        return kind, buttons
    if kind not in ("icon", "bitmap") or not images:
        raise SystemExit(f"{path}: needs a kind and at least one image")
    return kind, images


def icon_image(image):
    size = image["size"]
    xor = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(image["rows"]):
        bits = bytearray(mask_stride)
        for x, px in enumerate(row):
            if px is None:
                xor += b"\0\0\0\0"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = px
                xor += bytes((b, g, r, 255))
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def write_icon(images, out):
    blobs = [icon_image(im) for im in images]
    data = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for im, blob in zip(images, blobs):
        s = im["size"] % 256
        data += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    with open(out, "wb") as f:
        f.write(data + b"".join(blobs))


def write_bitmap(image, out, background=MENU_BACKGROUND):
    rows = image["rows"]
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for px in row:
            r, g, b = px if px is not None else background
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    with open(out, "wb") as f:
        f.write(header + info + pixels)


def sized(images, size):
    """The image of that size, or the smallest one scaled to it pixel by pixel."""
    for image in images:
        if image["size"] == size:
            return image["rows"]
    source = min(images, key=lambda im: im["size"])
    n = source["size"]
    return [[source["rows"][y * n // size][x * n // size] for x in range(size)] for y in range(size)]


def write_toolbar(src_dir, buttons, out_dir):
    sources = {name.split("-")[0].split(".")[0]: name for name in os.listdir(src_dir) if name.endswith(".txt")}
    pictures = []
    for number in buttons:
        if number not in sources:
            raise SystemExit(f"toolbar: no art source numbered {number}")
        pictures.append(parse(os.path.join(src_dir, sources[number]))[1])
    for size in TOOLBAR_SIZES:
        strips = [sized(images, size) for images in pictures]
        rows = [sum((strip[y] for strip in strips), []) for y in range(size)]
        write_bitmap({"rows": rows}, os.path.join(out_dir, f"toolbar{size}.bmp"), TOOLBAR_MASK)


def main():
    src_dir, out_dir = sys.argv[1], sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    for name in sorted(os.listdir(src_dir)):
        if not name.endswith(".txt"):
            continue
        number = name.split("-")[0].split(".")[0]
        kind, images = parse(os.path.join(src_dir, name))
        if kind == "toolbar":
            write_toolbar(src_dir, images, out_dir)
        elif kind == "icon":
            write_icon(images, os.path.join(out_dir, number + ".ico"))
        else:
            write_bitmap(images[0], os.path.join(out_dir, number + ".bmp"))
    with open(os.path.join(out_dir, "artwork.stamp"), "w") as f:
        f.write("built\n")


if __name__ == "__main__":
    main()
