"""The glyphs of X11 PCF font files (as X servers load them), and the CP437 characters.

Read with the standard library alone, by the build's glyph table and the Terminal font of the
Wine prefixes (make-cp437-glyphs.py, make-terminal-font.py).
"""

import gzip
import os
import struct


class PcfError(Exception):
    """A file that is no usable PCF font."""


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


class PcfFont:
    """The glyphs of a PCF font file (as X servers load them), by Unicode character."""

    PROPERTIES, ACCELERATORS, METRICS, BITMAPS = 1, 2, 4, 8
    ENCODINGS, BDF_ACCELERATORS = 0x20, 0x100

    def __init__(self, path):
        opener = gzip.open if path.endswith(".gz") else open
        with opener(path, "rb") as source:
            self.data = source.read()
        if self.data[:4] != b"\x01fcp":
            raise PcfError("%s is not a PCF font" % path)
        (count,) = struct.unpack_from("<i", self.data, 4)
        self.tables = {}
        for index in range(count):
            kind, _, _, offset = struct.unpack_from("<iiii", self.data, 8 + 16 * index)
            self.tables[kind] = offset
        for kind in (self.METRICS, self.BITMAPS, self.ENCODINGS):
            if kind not in self.tables:
                raise PcfError("%s lacks a table the font needs" % path)
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
            raise PcfError("the source font has no accelerator table")
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


def load_font(path, fail):
    """The font of the file at path; calls fail with a message when it cannot be read."""
    try:
        return PcfFont(path)
    except (OSError, EOFError) as error:
        fail("cannot read %s: %s" % (path, error))
    except PcfError as error:
        fail(str(error))
    except struct.error:
        fail("%s is damaged: its tables are cut short" % path)


def print_glyph(rows, width):
    """Prints a glyph of row bytes (the leftmost pixel in the top bit) as # and . characters."""
    for row in rows:
        print("".join("#" if row & (0x80 >> x) else "." for x in range(width)))


def write_whole(path, data):
    """Writes bytes to path through a temporary file beside it, so that no half file is left."""
    temporary = path + ".tmp"
    with open(temporary, "wb") as out:
        out.write(data)
    os.replace(temporary, path)
