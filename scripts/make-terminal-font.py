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
import gzip
import os
import struct
import sys
import unicodedata

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


def code_point(byte):
    """The Unicode character that code page 437 shows for a byte, or None."""
    if byte == 0:
        return None
    if byte in CONTROL_PICTURES:
        return CONTROL_PICTURES[byte]
    return ord(bytes([byte]).decode("cp437"))


def fail(message):
    raise SystemExit("make-terminal-font: " + message)


class PcfFont:
    """The glyphs of a PCF font file (as X servers load them), by Unicode character."""

    PROPERTIES, ACCELERATORS, METRICS, BITMAPS = 1, 2, 4, 8
    ENCODINGS, BDF_ACCELERATORS = 0x20, 0x100

    def __init__(self, path):
        opener = gzip.open if path.endswith(".gz") else open
        with opener(path, "rb") as source:
            self.data = source.read()
        if self.data[:4] != b"\x01fcp":
            fail("%s is not a PCF font" % path)
        (count,) = struct.unpack_from("<i", self.data, 4)
        self.tables = {}
        for index in range(count):
            kind, _, _, offset = struct.unpack_from("<iiii", self.data, 8 + 16 * index)
            self.tables[kind] = offset
        for kind in (self.METRICS, self.BITMAPS, self.ENCODINGS):
            if kind not in self.tables:
                fail("%s lacks a table the font needs" % path)
        self.ascent, self.descent = self._accelerators()
        self.metrics = self._metrics()
        self.bitmaps = self._bitmaps()
        self.encoding = self._encoding()

    def _table(self, kind):
        """Format, byte order for struct and the offset of a table's contents."""
        offset = self.tables[kind]
        (fmt,) = struct.unpack_from("<i", self.data, offset)
        return fmt, (">" if fmt & 4 else "<"), offset + 4

    def _accelerators(self):
        kind = self.BDF_ACCELERATORS if self.BDF_ACCELERATORS in self.tables else self.ACCELERATORS
        if kind not in self.tables:
            fail("the source font has no accelerator table")
        _, order, at = self._table(kind)
        return struct.unpack_from(order + "ii", self.data, at + 8)  # after eight flag bytes

    def _metrics(self):
        fmt, order, at = self._table(self.METRICS)
        metrics = []
        if fmt & 0x100:  # compressed: five unsigned bytes offset by 0x80
            (count,) = struct.unpack_from(order + "h", self.data, at)
            at += 2
            for _ in range(count):
                left, right, width, ascent, descent = (b - 0x80 for b in self.data[at:at + 5])
                metrics.append((left, right, width, ascent, descent))
                at += 5
        else:
            (count,) = struct.unpack_from(order + "i", self.data, at)
            at += 4
            for _ in range(count):
                metrics.append(struct.unpack_from(order + "hhhhh", self.data, at))
                at += 12
        return metrics

    def _bitmaps(self):
        fmt, order, at = self._table(self.BITMAPS)
        (count,) = struct.unpack_from(order + "i", self.data, at)
        offsets = struct.unpack_from(order + "%di" % count, self.data, at + 4)
        at += 4 + 4 * count
        sizes = struct.unpack_from(order + "4i", self.data, at)
        bits = bytearray(self.data[at + 16:at + 16 + sizes[fmt & 3]])
        if len(bits) != sizes[fmt & 3]:
            raise struct.error("the glyph bitmaps are cut short")
        pad = 1 << (fmt & 3)
        unit = 1 << ((fmt >> 4) & 3)
        most_significant_bit_first = bool(fmt & 8)
        most_significant_byte_first = bool(fmt & 4)
        if not most_significant_bit_first:
            bits = bytearray(int("{:08b}".format(b)[::-1], 2) for b in bits)
        if most_significant_byte_first != most_significant_bit_first and unit > 1:
            for start in range(0, len(bits) - unit + 1, unit):
                bits[start:start + unit] = bits[start:start + unit][::-1]
        glyphs = []
        for index, (left, right, _, ascent, descent) in enumerate(self.metrics):
            stride = ((right - left + 8 * pad - 1) // (8 * pad)) * pad
            rows = []
            for row in range(ascent + descent):
                start = offsets[index] + row * stride
                rows.append(int.from_bytes(bits[start:start + stride], "big") if stride else 0)
            glyphs.append((stride * 8, rows))
        return glyphs

    def _encoding(self):
        _, order, at = self._table(self.ENCODINGS)
        first2, last2, first1, last1, _ = struct.unpack_from(order + "5h", self.data, at)
        per_row = last2 - first2 + 1
        count = per_row * (last1 - first1 + 1)
        indices = struct.unpack_from(order + "%dH" % count, self.data, at + 10)
        encoding = {}
        for position, index in enumerate(indices):
            if index != 0xFFFF:
                high, low = divmod(position, per_row)
                encoding[((first1 + high) << 8) | (first2 + low)] = index
        return encoding

    def cell(self, char, width):
        """The glyph of a character placed in its cell: one list of 0/1 pixels per row."""
        height = self.ascent + self.descent
        cell = [[0] * width for _ in range(height)]
        index = self.encoding.get(char)
        if index is None:
            return None
        left, _, _, ascent, _ = self.metrics[index]
        stored_width, rows = self.bitmaps[index]
        for y, bits in enumerate(rows):
            for x in range(stored_width):
                if bits >> (stored_width - 1 - x) & 1:
                    cx, cy = left + x, self.ascent - ascent + y
                    if 0 <= cx < width and 0 <= cy < height:
                        cell[cy][cx] = 1
        return cell


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

    try:
        font = PcfFont(args.source)
    except (OSError, EOFError) as error:
        fail("cannot read %s: %s" % (args.source, error))
    except struct.error:
        fail("%s is damaged: its tables are cut short" % args.source)
    check_source(font)
    check_shades()
    bitmaps = [make_glyph(font, byte) for byte in range(256)]
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
