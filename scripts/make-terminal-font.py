#!/usr/bin/python3
"""Builds the raster font "Terminal" used by the Preview page under Wine.

Wine ships no "Terminal" font. This script writes a Windows raster font file
(FNT version 2.0, character set OEM) with one 6x8 cell per code page 437 byte,
so that a 79-column NFO fits the Preview box as on Windows and its frames,
shades and blocks join up as they do there.

The letters, digits, signs and line-drawing characters come from the 6x9
"fixed" font of the X Window System (Debian's xfonts-base package; public
domain), read from its PCF file with the standard library alone. Each glyph
loses one of its nine rows (see fit_to_cell); the shades and blocks are drawn
here so that they tile without seams. The result is generated at set-up time
and never committed.

Usage: make-terminal-font.py [--source FONT.pcf.gz] [--show BYTE] OUTPUT.fon
"""

import argparse
import struct
import sys
import unicodedata

from pcf_font import code_point, load_font, print_glyph, write_whole

DEFAULT_SOURCE = "/usr/share/fonts/X11/misc/6x9.pcf.gz"
FACE_NAME = b"Terminal"
COPYRIGHT = b"Glyphs: X11 misc-fixed 6x9 (Misc foundry), public domain"
CELL_WIDTH = 6
CELL_HEIGHT = 8
ASCENT = 6  # the baseline lies under the sixth row
SOURCE_WIDTH = 6
SOURCE_ASCENT = 7
SOURCE_DESCENT = 2
OEM_CHARSET = 255
FF_MODERN = 0x30  # fixed pitch: bit 0 clear
HEADER_SIZE = 118  # FNT 2.0 header; the glyph table follows it

LINE_DRAWING = range(0xB3, 0xDB)  # single and double frames, corners and joints

# Shades and blocks are drawn, not taken from the source. The shades repeat
# every two columns and rows, so they tile the 6x8 cells, and each holds every
# dot of the lighter ones, so that shades side by side (a gradient such as
# light, medium, dark, full) meet without a seam.
DRAWN = {
    0xB0: ["#.#.#.", "......"] * 4,  # light shade
    0xB1: ["#.#.#.", ".#.#.#"] * 4,  # medium shade
    0xB2: ["######", ".#.#.#"] * 4,  # dark shade
    0xDB: ["######"] * 8,  # full block
    0xDC: ["......"] * 4 + ["######"] * 4,  # lower half
    0xDD: ["###..."] * 8,  # left half
    0xDE: ["...###"] * 8,  # right half
    0xDF: ["######"] * 4 + ["......"] * 4,  # upper half
    # Two signs whose nine-row shapes lose too much with any row removed.
    0x25: [".#..#.", "#.#.#.", ".#.#..", "..#.#.", ".#.#.#", ".#..#.", "......", "......"],
    0x3F: ["..##..", ".#..#.", "...#..", "..#...", "......", "..#...", "......", "......"],
}

# Letters with a mark above them and no blank row to spare: the row named
# here goes (else the top row does, and the mark becomes one row high).
ROW_TO_DROP = {
    0x8F: 2,  # A with ring: the ring rests on the point of the A
    0xA5: 2,  # N with tilde: the N is one row shorter
}


def fail(message):
    raise SystemExit("make-terminal-font: " + message)


def check_source(font):
    widths = {metrics[2] for metrics in font.metrics}
    if widths != {SOURCE_WIDTH} or (font.ascent, font.descent) != (SOURCE_ASCENT, SOURCE_DESCENT):
        fail("the source font is not a 6x9 character-cell font")


def check_line_drawing(byte, cell):
    """A frame glyph must be plain vertical lines in its top three rows (one of
    them goes), and touch its cell's edges only where the lines of its
    neighbours do, so that frames join across cells."""
    if not cell[0] == cell[1] == cell[2]:
        fail("the line-drawing glyph of byte 0x%02X is not straight at the top" % byte)
    middle = {2, 3, 4}  # after the top row goes: double lines at 2 and 4, single at 3
    for y, row in enumerate(cell[1:]):
        if (row[0] or row[-1]) and y not in middle:
            fail("the line-drawing glyph of byte 0x%02X meets its sides off the lines" % byte)
    for x in range(SOURCE_WIDTH):
        if (cell[0][x] or cell[-1][x]) and x not in middle:
            fail("the line-drawing glyph of byte 0x%02X meets its ends off the lines" % byte)


def check_shades():
    """Each shade holds every dot of the lighter ones (see DRAWN)."""
    darker = [DRAWN[byte] for byte in (0xB0, 0xB1, 0xB2, 0xDB)]
    for light, dark in zip(darker, darker[1:]):
        for light_row, dark_row in zip(light, dark):
            assert all(d == "#" for l, d in zip(light_row, dark_row) if l == "#")


def is_letter(char):
    return unicodedata.category(chr(char)).startswith("L")


def fit_to_cell(byte, char, cell):
    """Turns a nine-row source glyph into eight rows, keeping every letter on
    one baseline: the top row goes when it is blank (it is for nearly every
    glyph), else the blank row between a mark and its letter, else, for a
    sign that does not sit on the baseline, a blank bottom row."""
    if byte in LINE_DRAWING:
        check_line_drawing(byte, cell)
        drop = 0  # only the upward line gets shorter
    elif byte in ROW_TO_DROP:
        drop = ROW_TO_DROP[byte]
    elif not any(cell[0]):
        drop = 0
    elif not any(cell[1]):
        drop = 1
    elif not any(cell[2]):
        drop = 2
    elif not any(cell[-1]) and not is_letter(char):
        drop = len(cell) - 1
    else:
        drop = 0
    return cell[:drop] + cell[drop + 1:]


def row_bytes(cell):
    """Row bytes with the leftmost pixel in the top bit."""
    return [sum(0x80 >> x for x, pixel in enumerate(row) if pixel) for row in cell]


def make_glyph(font, byte):
    if byte in DRAWN:
        return row_bytes([[1 if c == "#" else 0 for c in row] for row in DRAWN[byte]])
    char = code_point(byte)
    if char is None:
        return [0] * CELL_HEIGHT
    cell = font.cell(char, SOURCE_WIDTH)
    if cell is None:
        fail("the source font has no glyph for U+%04X" % char)
    return row_bytes(fit_to_cell(byte, char, cell))


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
        ASCENT,
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
    parser.add_argument("--source", default=DEFAULT_SOURCE, help="6x9 character-cell font (PCF)")
    parser.add_argument("--show", metavar="BYTE", help="print the glyph of a byte (e.g. 0xC9)")
    args = parser.parse_args()

    font = load_font(args.source, fail)
    check_source(font)
    check_shades()
    bitmaps = [make_glyph(font, byte) for byte in range(256)]
    if args.show:
        print_glyph(bitmaps[int(args.show, 0)], CELL_WIDTH)
    write_whole(args.output, build_fnt(bitmaps))
    return 0


if __name__ == "__main__":
    sys.exit(main())
