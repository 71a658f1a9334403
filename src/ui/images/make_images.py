#!/usr/bin/env python3
"""Draws Quenby.exe's pictures and writes them beside this script:

  banner.bmp  the About page's banner, 504 x 80, 24-bit
  quenby.ico  the program's icon, 16 x 16 and 32 x 32, 24-bit
  hand.cur    the link pointer, 32 x 32, 16 colours, hot spot (8, 3)

Standard library only: the BMP, ICO and CUR bytes are written directly. Run it again after a change
and commit the pictures with it; the build uses the committed files.
"""
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# 5 x 7 capitals for the banner's lettering.
GLYPHS = {
    "Q": [".###.", "#...#", "#...#", "#...#", "#.#.#", "#..#.", ".##.#"],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "I": [".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}

# The link pointer: X outline (black), o fill (white), . transparent. Fingertip at (8, 3).
HAND = [
    "................................",
    "................................",
    ".......XX.......................",
    "......XooX......................",
    "......XooX......................",
    "......XooX......................",
    "......XooX......................",
    "......XooXXX....................",
    "......XooXooXXX.................",
    "......XooXooXooXX...............",
    "......XooXooXooXoX..............",
    "...XX.XooXooXooXoX..............",
    "...XoXXoooooooooooX.............",
    "...XooXoooooooooooX.............",
    "....XoXoooooooooooX.............",
    "....XooooooooooooX..............",
    ".....XoooooooooooX..............",
    ".....XoooooooooooX..............",
    "......XoooooooooX...............",
    "......XoooooooooX...............",
    ".......XoooooooX................",
    ".......XoooooooX................",
    ".......XXXXXXXXX................",
] + ["." * 32] * 9

# The standard 16-colour palette, as red, green, blue.
PALETTE16 = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


class Canvas:
    """An RGB picture, row 0 at the top."""

    def __init__(self, width, height, colour=(0, 0, 0)):
        self.width, self.height = width, height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, w, h, colour):
        for y in range(y0, y0 + h):
            for x in range(x0, x0 + w):
                self.put(x, y, colour)

    def bgr_rows_bottom_up(self):
        """24-bit DIB rows, bottom row first, each padded to 4 bytes."""
        pad = (4 - self.width * 3 % 4) % 4
        out = bytearray()
        for row in reversed(self.pixels):
            for r, g, b in row:
                out += bytes((b, g, r))
            out += b"\0" * pad
        return bytes(out)


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def draw_text(canvas, text, x, y, scale, colour_at, shadow=None):
    """Draws text in the 5 x 7 capitals; colour_at(row) gives the colour of a glyph row."""
    for index, char in enumerate(text):
        glyph = GLYPHS[char]
        gx = x + index * 6 * scale
        for row, line in enumerate(glyph):
            for col, cell in enumerate(line):
                if cell != "#":
                    continue
                px, py = gx + col * scale, y + row * scale
                if shadow:
                    canvas.fill(px + scale // 3 + 1, py + scale // 3 + 1, scale, scale, shadow)
                for dy in range(scale):
                    canvas.fill(px, py + dy, scale, 1, colour_at(row * scale + dy, 7 * scale))


def banner():
    width, height = 504, 80
    canvas = Canvas(width, height)
    top, bottom = (8, 16, 56), (0, 0, 12)
    for y in range(height):
        canvas.fill(0, y, width, 1, mix(top, bottom, y / (height - 1)))
    # Shade bands like the light, medium and dark shade characters of NFO art.
    band = (40, 60, 140)
    for y in range(0, 6):
        for x in range(width):
            density = (0.25, 0.5, 0.75)[min(2, x * 3 // width)]
            if ((x * 7 + y * 13) % 8) < density * 8 and (x + y) % 2 == 0:
                canvas.put(x, y, band)
                canvas.put(x, height - 1 - y, band)

    def gold(row, rows):
        return mix((255, 236, 120), (214, 96, 16), row / max(1, rows - 1))

    def silver(row, rows):
        return mix((235, 240, 255), (130, 150, 200), row / max(1, rows - 1))

    draw_text(canvas, "QUENBY", 22, 14, 7, gold, shadow=(0, 0, 0))
    draw_text(canvas, "THE NFO WRITER", 302, 33, 2, silver, shadow=(10, 10, 30))
    # A rule under the subtitle.
    for x in range(302, 302 + 14 * 12 - 2):
        canvas.put(x, 52, mix((214, 96, 16), (255, 236, 120), (x - 302) / 166))
    return canvas


def bmp_file(canvas):
    pixels = canvas.bgr_rows_bottom_up()
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(pixels),
                       2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def icon_image(size):
    """The program icon: a blue tile with a white sheet of text and a gold title line."""
    canvas = Canvas(size, size)
    s = size / 32.0
    mask = [[1] * size for _ in range(size)]  # 1 = transparent

    def box(x0, y0, x1, y1, colour):
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                canvas.put(x, y, colour)
                mask[y][x] = 0

    box(1, 1, 31, 31, (16, 32, 112))
    for y in range(int(1 * s), int(31 * s)):
        canvas.put(int(1 * s), y, (60, 90, 190))
    box(7, 4, 25, 28, (250, 250, 250))
    box(21, 4, 25, 8, (16, 32, 112))       # folded corner cut away
    box(21, 4, 22, 8, (200, 200, 200))
    box(21, 7, 25, 8, (200, 200, 200))
    box(10, 9, 22, 11, (230, 150, 20))      # the title line
    for y in (14, 17, 20, 23):
        box(10, y, 22 if y != 23 else 17, y + 1, (40, 40, 40))
    return canvas, mask


def and_mask_rows(mask, width):
    row_bytes = ((width + 31) // 32) * 4
    out = bytearray()
    for row in reversed(mask):
        bits = bytearray(row_bytes)
        for x, transparent in enumerate(row):
            if transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += bits
    return bytes(out)


def ico_file():
    images = []
    for size in (16, 32):
        canvas, mask = icon_image(size)
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, 0, 0, 0, 0, 0)
        images.append((size, info + canvas.bgr_rows_bottom_up() + and_mask_rows(mask, size)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    for _, data in images:
        out += data
    return out


def cur_file():
    size, hot_x, hot_y = 32, 8, 3
    index = {"X": 0, "o": 15, ".": 0}
    xor = bytearray()
    for line in reversed(HAND):
        for x in range(0, size, 2):
            xor.append(index[line[x]] << 4 | index[line[x + 1]])
    mask = [[cell == "." for cell in line] for line in HAND]
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE16)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    data = info + palette + bytes(xor) + and_mask_rows(mask, size)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, hot_x, hot_y, len(data), 6 + 16)
    return header + entry + data


def main():
    outputs = {
        "banner.bmp": bmp_file(banner()),
        "quenby.ico": ico_file(),
        "hand.cur": cur_file(),
    }
    for name, data in outputs.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
