#!/usr/bin/python3
"""Builds the raster font "Terminal" used by the Preview page under Wine.

Wine ships no "Terminal" font. This script rasterises the code page 437 glyphs
of an 8x8 PC screen font (Debian's fonts-pc package) into a Windows raster font
file (FNT version 2.0, character set OEM) with one 8x8 cell per byte value, so
that frames, shades and blocks in an NFO draw as they do on Windows.

The result is generated at set-up time and never committed. The glyphs are
those of the "Px IBM CGA" font, (c) 2015 VileR, licensed under CC BY-SA 4.0.

Usage: make-terminal-font.py [--source FONT.ttf] [--show BYTE] OUTPUT.fon
"""

import argparse
import os
import struct
import sys

from fontTools.pens.pointInsidePen import PointInsidePen
from fontTools.ttLib import TTFont

DEFAULT_SOURCE = "/usr/share/fonts/pc/Px_IBM_CGA.ttf"
FACE_NAME = b"Terminal"
COPYRIGHT = b"Glyphs: Px IBM CGA (c) 2015 VileR, CC BY-SA 4.0"
CELL_WIDTH = 8
CELL_HEIGHT = 8
OEM_CHARSET = 255
FF_MODERN = 0x30  # fixed pitch: bit 0 clear
HEADER_SIZE = 118  # FNT 2.0 header; the glyph table follows it

# Code page 437 draws pictures for the control bytes.
CONTROL_PICTURES = {
    0x01: 0x263A, 0x02: 0x263B, 0x03: 0x2665, 0x04: 0x2666, 0x05: 0x2663,
    0x06: 0x2660, 0x07: 0x2022, 0x08: 0x25D8, 0x09: 0x25CB, 0x0A: 0x25D9,
    0x0B: 0x2642, 0x0C: 0x2640, 0x0D: 0x266A, 0x0E: 0x266B, 0x0F: 0x263C,
    0x10: 0x25BA, 0x11: 0x25C4, 0x12: 0x2195, 0x13: 0x203C, 0x14: 0x00B6,
    0x15: 0x00A7, 0x16: 0x25AC, 0x17: 0x21A8, 0x18: 0x2191, 0x19: 0x2193,
    0x1A: 0x2192, 0x1B: 0x2190, 0x1C: 0x221F, 0x1D: 0x2194, 0x1E: 0x25B2,
    0x1F: 0x25BC, 0x7F: 0x2302,
}


def code_point(byte):
    """The Unicode character that code page 437 shows for a byte, or None."""
    if byte == 0:
        return None
    if byte in CONTROL_PICTURES:
        return CONTROL_PICTURES[byte]
    return ord(bytes([byte]).decode("cp437"))


def rasterise(font, char):
    """Returns CELL_HEIGHT row bytes (leftmost pixel in the top bit)."""
    rows = [0] * CELL_HEIGHT
    if char is None:
        return rows
    cmap = font.getBestCmap()
    name = cmap.get(char)
    if name is None:
        raise SystemExit("make-terminal-font: the source font has no glyph for U+%04X" % char)
    glyphs = font.getGlyphSet()
    units = font["head"].unitsPerEm / CELL_HEIGHT  # font units per pixel
    ascent = font["hhea"].ascent
    for row in range(CELL_HEIGHT):
        for col in range(CELL_WIDTH):
            centre = ((col + 0.5) * units, ascent - (row + 0.5) * units)
            pen = PointInsidePen(glyphs, centre)
            glyphs[name].draw(pen)
            if pen.getResult():
                rows[row] |= 0x80 >> col
    return rows


def check_source(font):
    units = font["head"].unitsPerEm
    advance = font["hmtx"]["A"][0] if "A" in font["hmtx"].metrics else None
    height = font["hhea"].ascent - font["hhea"].descent
    if advance * CELL_HEIGHT != units * CELL_WIDTH or height != units:
        raise SystemExit("make-terminal-font: the source font is not an 8x8 cell font")


def build_fnt(bitmaps):
    """Assembles an FNT 2.0 file from 256 glyph bitmaps."""
    count = len(bitmaps)
    table_size = (count + 1) * 4  # one entry per glyph plus a sentinel
    bits_offset = HEADER_SIZE + table_size
    glyph_size = CELL_HEIGHT * ((CELL_WIDTH + 7) // 8)
    face_offset = bits_offset + count * glyph_size
    file_size = face_offset + len(FACE_NAME) + 1

    header = struct.pack(
        "<HI60sHHHHHHHBBBHBHHBHHBBBBHIIIIB",
        0x0200,                     # version
        file_size,
        COPYRIGHT.ljust(60, b"\0")[:60],
        0,                          # raster font
        6,                          # points: 8 pixels at 96 dpi
        96, 96,                     # vertical and horizontal resolution
        CELL_HEIGHT - 1,            # ascent
        0, 0,                       # internal and external leading
        0, 0, 0,                    # italic, underline, strike-out
        400,                        # weight
        OEM_CHARSET,
        CELL_WIDTH, CELL_HEIGHT,    # pixel width and height
        FF_MODERN,
        CELL_WIDTH, CELL_WIDTH,     # average and maximum width
        0, count - 1,               # first and last character
        ord("?"),                   # default character, from the first
        ord(" "),                   # break character, from the first
        count * ((CELL_WIDTH + 7) // 8),  # width in bytes of a strike
        0,                          # no device name
        face_offset,
        0,                          # bits pointer, filled in when loaded
        bits_offset,
        0,                          # reserved
    )
    assert len(header) == HEADER_SIZE
    table = b"".join(
        struct.pack("<HH", CELL_WIDTH, bits_offset + i * glyph_size) for i in range(count)
    ) + struct.pack("<HH", CELL_WIDTH, bits_offset + count * glyph_size)
    bits = b"".join(bytes(rows) for rows in bitmaps)
    data = header + table + bits + FACE_NAME + b"\0"
    assert len(data) == file_size
    return data


def main():
    parser = argparse.ArgumentParser(description="Build the Terminal raster font.")
    parser.add_argument("output", help="the .fon file to write")
    parser.add_argument("--source", default=DEFAULT_SOURCE, help="8x8 PC font (TrueType)")
    parser.add_argument("--show", metavar="BYTE", help="print the glyph of a byte (e.g. 0xC9)")
    args = parser.parse_args()

    try:
        font = TTFont(args.source)
    except OSError as error:
        raise SystemExit("make-terminal-font: cannot read %s: %s" % (args.source, error))
    check_source(font)
    bitmaps = [rasterise(font, code_point(byte)) for byte in range(256)]
    if args.show:
        for row in bitmaps[int(args.show, 0)]:
            print("".join("#" if row & (0x80 >> c) else "." for c in range(CELL_WIDTH)))
    data = build_fnt(bitmaps)
    temporary = args.output + ".tmp"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, args.output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
