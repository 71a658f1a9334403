#!/usr/bin/python3
"""Writes the glyph table that quenby draws NFO pictures with: one 8x14 cell per CP437 byte.

Run by the build (src/sheets/CMakeLists.txt); the table is generated, never committed.

The letters, digits, signs and frames come from the 8x13 "fixed" font of the X Window System
(Debian's xfonts-base package; public domain). Each cell gains a fourteenth row, so that the
halves of a cell are equal and the shades tile from line to line: a blank row on top of most
glyphs, a copy of the top row for the frames, whose lines then still run from edge to edge. The
shades and blocks are drawn here so that they fill their cells and meet without seams.

Usage: make-cp437-glyphs.py [--source FONT.pcf.gz] [--show BYTE] OUTPUT.cpp
"""

import argparse
import os
import sys

from pcf_font import code_point, load_font, print_glyph, write_whole

DEFAULT_SOURCE = "/usr/share/fonts/X11/misc/8x13.pcf.gz"
WIDTH, SOURCE_HEIGHT, HEIGHT = 8, 13, 14
LINE_DRAWING = range(0xB3, 0xDB)  # single and double frames, corners and joints
HALF = HEIGHT // 2

# Shades repeat every two rows and four columns, so they tile cells of 8 x 14 without a seam: a
# quarter of the dots, half of them in a chequer, and the dark shade the light one's inverse.
DRAWN = {
    0xB0: ["#...#...", "..#...#."] * HALF,  # light shade
    0xB1: ["#.#.#.#.", ".#.#.#.#"] * HALF,  # medium shade
    0xB2: ["##.###.#", ".###.###"] * HALF,  # dark shade
    0xDB: ["########"] * HEIGHT,  # full block
    0xDC: ["........"] * HALF + ["########"] * HALF,  # lower half
    0xDD: ["####...."] * HEIGHT,  # left half
    0xDE: ["....####"] * HEIGHT,  # right half
    0xDF: ["########"] * HALF + ["........"] * HALF,  # upper half
}


def fail(message):
    raise SystemExit("make-cp437-glyphs: " + message)


def make_glyph(font, byte):
    """The glyph of a byte: one row byte per row, the leftmost pixel in the top bit."""
    if byte in DRAWN:
        cell = [[1 if c == "#" else 0 for c in row] for row in DRAWN[byte]]
    elif code_point(byte) is None:
        cell = [[0] * WIDTH] * HEIGHT
    else:
        cell = font.cell(code_point(byte), WIDTH)
        if cell is None:
            fail("the source font has no glyph for U+%04X" % code_point(byte))
        if byte in LINE_DRAWING and cell[0] != cell[1]:
            fail("the frame glyph of byte 0x%02X is not straight at the top" % byte)
        cell = [cell[0] if byte in LINE_DRAWING else [0] * WIDTH] + cell
    return [sum(0x80 >> x for x, pixel in enumerate(row) if pixel) for row in cell]


def main():
    parser = argparse.ArgumentParser(description="Write the CP437 glyph table of NFO pictures.")
    parser.add_argument("output", help="the C++ source file to write")
    parser.add_argument("--source", default=DEFAULT_SOURCE, help="8x13 character-cell font (PCF)")
    parser.add_argument("--show", metavar="BYTE", help="print the glyph of a byte (e.g. 0xC9)")
    args = parser.parse_args()
    font = load_font(args.source, fail)
    if {m[2] for m in font.metrics} != {WIDTH} or font.ascent + font.descent != SOURCE_HEIGHT:
        fail("%s is not an 8x13 character-cell font" % args.source)
    glyphs = [make_glyph(font, byte) for byte in range(256)]
    if args.show:
        print_glyph(glyphs[int(args.show, 0)], WIDTH)
    rows = ",\n".join("    {%s}" % ", ".join("0x%02X" % r for r in glyph) for glyph in glyphs)
    text = ("// Made by scripts/make-cp437-glyphs.py from %s; do not edit.\n"
            '#include "sheets/cp437_glyphs.h"\n\n'
            "const uint8_t cp437Glyphs[256][glyphHeight] = {\n%s};\n"
            % (os.path.basename(args.source), rows))
    write_whole(args.output, text.encode())
    return 0


if __name__ == "__main__":
    sys.exit(main())
