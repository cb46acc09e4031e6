#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 Tavrin developers
# SPDX-License-Identifier: GPL-3.0-or-later

"""Builds Tavrin's icon files from the two hand-drawn XPM images beside this script.

Source (edit these): tavrin-32.xpm and tavrin-16.xpm, 16 colours at most each ("None" is
transparent and does not count). XPM is plain text: any text editor, GIMP or ImageMagick opens it.

Output, written next to the sources (or into --out DIR):
  tavrin.ico          two images, 32x32 then 16x16, 4 bits per pixel (16-colour palette and an
                      AND mask for transparency): the Windows icon and the window's .rc icon
  tavrin-16.png       the 16x16 image        } RGBA PNGs: the hicolor theme icons on Linux
  tavrin-32.png       the 32x32 image        }
  tavrin-64.png       the 32x32 image, each pixel doubled
  tavrin-128.png      the 32x32 image, each pixel made 4x4

The bytes depend only on the sources: no dates, names or tool versions go into the files (the
PNGs are compressed with zlib, so --check compares their pixels, and the .ico byte for byte).

  python3 make_icons.py            rebuild the files
  python3 make_icons.py --check    exit 1 if the files present differ from a fresh build
"""

import argparse
import pathlib
import re
import struct
import sys
import zlib

HERE = pathlib.Path(__file__).resolve().parent
ICO_SIZES = (32, 16)  # order of the images in the .ico
SCALED = {64: 2, 128: 4}  # larger theme icons made from the 32x32 image


class IconError(Exception):
    pass


def read_xpm(path):
    """Returns (width, height, rows) where rows[y][x] is (r, g, b) or None for transparent."""
    text = path.read_text(encoding="ascii")
    text = re.sub(r"/\*.*?\*/", "", text, flags=re.S)
    strings = re.findall(r'"((?:[^"\\]|\\.)*)"', text)
    if not strings:
        raise IconError(f"{path.name}: no XPM data")
    values = strings[0].split()
    if len(values) < 4:
        raise IconError(f"{path.name}: bad XPM header {strings[0]!r}")
    width, height, ncolors, cpp = (int(v) for v in values[:4])
    colors = {}
    for line in strings[1:1 + ncolors]:
        key, fields = line[:cpp], line[cpp:].split()
        pairs = dict(zip(fields[0::2], fields[1::2]))
        if "c" not in pairs:
            raise IconError(f"{path.name}: colour {key!r} has no 'c' value")
        value = pairs["c"]
        if value.lower() == "none":
            colors[key] = None
        elif re.fullmatch(r"#[0-9A-Fa-f]{6}", value):
            colors[key] = tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
        else:
            raise IconError(f"{path.name}: colour {value!r}: use #RRGGBB or None")
    lines = strings[1 + ncolors:1 + ncolors + height]
    if len(lines) != height:
        raise IconError(f"{path.name}: {len(lines)} pixel rows, header says {height}")
    rows = []
    for y, line in enumerate(lines):
        if len(line) != width * cpp:
            raise IconError(f"{path.name}: row {y} is {len(line)} characters, not {width * cpp}")
        try:
            rows.append([colors[line[x:x + cpp]] for x in range(0, width * cpp, cpp)])
        except KeyError as missing:
            raise IconError(f"{path.name}: row {y} uses undeclared colour {missing}") from None
    return width, height, rows


def load_sources(src):
    images = {}
    for size in ICO_SIZES:
        path = src / f"tavrin-{size}.xpm"
        width, height, rows = read_xpm(path)
        if (width, height) != (size, size):
            raise IconError(f"{path.name}: {width}x{height}, must be {size}x{size}")
        used = {c for row in rows for c in row if c is not None}
        if len(used) > 16:
            raise IconError(f"{path.name}: {len(used)} colours, at most 16")
        images[size] = rows
    return images


def ico_image(rows):
    """One icon image: BITMAPINFOHEADER, 16-colour palette, 4-bit XOR bitmap, 1-bit AND mask."""
    size = len(rows)
    # Palette: black first (what transparent pixels hold under the mask), then the colours in
    # the order they first appear, top row first; the rest black.
    palette = [(0, 0, 0)]
    for row in rows:
        for color in row:
            if color is not None and color not in palette:
                palette.append(color)
    if len(palette) > 16:
        raise IconError("more than 15 colours besides black")
    palette += [(0, 0, 0)] * (16 - len(palette))
    index = {color: i for i, color in reversed(list(enumerate(palette)))}

    xor_stride = (size * 4 + 31) // 32 * 4
    and_stride = (size + 31) // 32 * 4
    xor_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(rows):  # bottom-up, as in every DIB
        line = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, color in enumerate(row):
            value = 0 if color is None else index[color]
            line[x // 2] |= value << (4 if x % 2 == 0 else 0)
            if color is None:
                mask[x // 8] |= 0x80 >> (x % 8)
        xor_bits += line
        and_bits += mask
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         len(xor_bits) + len(and_bits), 0, 0, 0, 0)
    quads = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return header + quads + bytes(xor_bits) + bytes(and_bits)


def build_ico(images):
    blobs = [ico_image(images[size]) for size in ICO_SIZES]
    out = bytearray(struct.pack("<HHH", 0, 1, len(blobs)))
    offset = 6 + 16 * len(blobs)
    for size, blob in zip(ICO_SIZES, blobs):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def rgba_rows(rows, scale=1):
    raw = bytearray()
    for row in rows:
        line = bytearray()
        for color in row:
            pixel = b"\0\0\0\0" if color is None else bytes(color) + b"\xff"
            line += pixel * scale
        raw += (b"\0" + bytes(line)) * scale  # filter type 0 on every row
    return bytes(raw)


def png_chunk(kind, data):
    return (struct.pack(">I", len(data)) + kind + data +
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))


def build_png(rows, scale=1):
    size = len(rows) * scale
    ihdr = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", ihdr) +
            png_chunk(b"IDAT", zlib.compress(rgba_rows(rows, scale), 9)) +
            png_chunk(b"IEND", b""))


def build_all(src):
    images = load_sources(src)
    files = {"tavrin.ico": build_ico(images)}
    for size in ICO_SIZES:
        files[f"tavrin-{size}.png"] = build_png(images[size])
    for size, scale in SCALED.items():
        files[f"tavrin-{size}.png"] = build_png(images[32], scale)
    return files


def png_pixels(data):
    """IHDR and the inflated IDAT data of a PNG: what its pixels are, whatever the zlib."""
    pos, ihdr, idat = 8, None, b""
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            ihdr = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    return ihdr, zlib.decompress(idat)


def same(name, built, present):
    if name.endswith(".png"):
        try:
            return png_pixels(built) == png_pixels(present)
        except (zlib.error, struct.error):
            return False
    return built == present


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--src", type=pathlib.Path, default=HERE, help="folder of the .xpm files")
    parser.add_argument("--out", type=pathlib.Path, default=None, help="output folder (--src)")
    parser.add_argument("--check", action="store_true",
                        help="compare the files in the output folder with a fresh build")
    args = parser.parse_args()
    out = args.out or args.src
    try:
        files = build_all(args.src)
    except IconError as error:
        print(f"make_icons: {error}", file=sys.stderr)
        return 1
    if args.check:
        stale = [name for name, data in files.items()
                 if not (out / name).is_file() or not same(name, data, (out / name).read_bytes())]
        if stale:
            print("make_icons: out of date with the .xpm sources: " + ", ".join(stale) +
                  f"\n  rebuild with: python3 {pathlib.Path(__file__).name}", file=sys.stderr)
            return 1
        print(f"make_icons: {len(files)} files agree with the sources")
        return 0
    out.mkdir(parents=True, exist_ok=True)
    for name, data in files.items():
        (out / name).write_bytes(data)
    print(f"make_icons: wrote {', '.join(files)} in {out}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
