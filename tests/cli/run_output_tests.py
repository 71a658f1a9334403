#!/usr/bin/env python3
"""render --ascii and the picture's options: the ASCII table by groups of bytes, every shipped
template's ASCII copy, each option's pixels against a golden, and the messages for bad values.

    run_output_tests.py --quenby PATH [--regenerate]"""

import argparse
import os
import subprocess
import sys
import tempfile
from pathlib import Path

from run_cli_tests import EXAMPLE, HERE, ROOT, pixels

# A group of bytes in a template line, and its ASCII copy.
ASCII = [
    ("box drawing", b"\xc9\xcd\xcb\xbb\xba\xb3\xc4\xc5\xda\xbf\xc0\xd9\xcc\xb9", b"+=++||-+++++++"),
    ("shades and blocks", b"\xb0\xb1\xb2\xdb\xdc\xdd\xde\xdf\xfe", b'.:##_||"#'),
    ("accented letters", b"N\x82bula \x80\x81\x83\x84\x85\x86\x87\x8e\x8f\x90\x94\x99\x9a\xa4\xa5\x98\xe1",
     b"Nebula Cuaaaac" + b"AAEoOUnNys"),
    ("symbols", b"\x9b\x9c\x9d\xa8\xad\xae\xaf\xf1\xf2\xf3\xf6\xf7\xf8\xfa\xfd\xff\x01\x03\x10\x11\x18\x19\x7f",
     b"cLY?!<>+></~o.2 o*><^v^"),
    ("ASCII itself", bytes(range(0x30, 0x7f)), bytes(range(0x30, 0x7f))),  # 79, a line's most
    ("a tab and a CR within a line", b"a\tb\rc", b"a b?c"),
]
# Two lines: frames of 0xC0-0xDF (whose ninth column repeats the eighth) and of outside it, a
# letter, a shade and a block. Each option's picture of them is a golden.
SMALL = b"\xc9\xcd\xbb Ab\r\n\xc8\xc4\xbc\xb1\xdb\xdf\r\n"
PICTURES = [("--scale 2", "scale2"), ("--cell 9", "cell9"), ("--colours amber", "amber"),
            ("--colours 0000ff,#FFFF00", "blue")]
# Options refused, and the message (after which CLI11 adds its hint).
REFUSED = [
    ("--png out.png --scale 5", '--scale: expected 1, 2, 3 or 4, found "5"'),
    ("--png out.png --scale x", '--scale: expected 1, 2, 3 or 4, found "x"'),
    ("--png out.png --cell 10", '--cell: expected 8 or 9, found "10"'),
    ("--png out.png --colours pink", '--colours: expected light, dark, amber, green or INK,PAPER in '
     'hex (as c0c0c0,000000), found "pink"'),
    ("--png out.png --colours 12345g,000000", '--colours: expected light, dark, amber, green or '
     'INK,PAPER in hex (as c0c0c0,000000), found "12345g,000000"'),
    ("--png out.png --colours 000000,#000000", '--colours: ink and paper are the same colour, found '
     '"000000,#000000"'),
    ("--scale 2", "--scale requires --png"),
    ("--png out.png --dark --colours amber", "--colours excludes --dark"),
    ("--ascii --utf8", "--utf8 excludes --ascii"),
]
FAILURES = []


def check(what, ok):
    if not ok:
        FAILURES.append(what)


def render(work, args, template=None, sheet="e.toml"):
    command = [OPTIONS.quenby, "render"] + (["--template", str(template)] if template else [])
    done = subprocess.run(command + args.split() + [str(sheet)], cwd=work, input=b"",
                          capture_output=True, timeout=300)
    return done.returncode, done.stdout, done.stderr.decode()


def picture(work, options):
    code, _, message = render(work, "--png out.png -o out.nfo " + options, "small.ntf")
    check("%s: %s" % (options, message), code == 0)
    return pixels(Path(work, "out.png").read_bytes())


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quenby", required=True)
    parser.add_argument("--regenerate", action="store_true")
    global OPTIONS
    OPTIONS = parser.parse_args()
    OPTIONS.quenby = os.path.abspath(OPTIONS.quenby)
    with tempfile.TemporaryDirectory(prefix="quenby-outputs-") as work:
        Path(work, "e.toml").write_bytes(b"")
        for group, line, expected in ASCII:
            Path(work, "t.ntf").write_bytes(line + b"\r\n")
            check("ASCII of " + group, render(work, "--ascii", "t.ntf") == (0, expected + b"\r\n", ""))
        # Every shipped template with every test sheet: ASCII alone, each line as wide as the NFO's.
        sheets = sorted(Path(HERE, "sheets").glob("*.toml")) + [EXAMPLE]
        for template in sorted(Path(ROOT, "templates").glob("*.ntf")):
            for sheet in sheets:
                nfo, ascii = (render(work, a, template, sheet)[1] for a in ["", "--ascii"])
                name = "%s with %s" % (template.stem, sheet.name)
                check(name + ": ASCII only", all(0x20 <= b < 0x7f for b in ascii.replace(b"\r\n", b"")))
                check(name + ": widths", [len(l) for l in ascii.split(b"\r\n")] ==
                      [len(l) for l in nfo.split(b"\r\n")])
                check(name + ": ASCII kept", all(a == n for a, n in zip(ascii, nfo) if 0x20 <= n < 0x7f))
        Path(work, "small.ntf").write_bytes(SMALL)
        for options, golden in PICTURES:
            path = Path(HERE, "golden", "pictures", golden + ".png")
            got = picture(work, options)
            if OPTIONS.regenerate:
                path.parent.mkdir(exist_ok=True)
                path.write_bytes(Path(work, "out.png").read_bytes())
            check(options + ": pixels", got == pixels(path.read_bytes()))
        # Scaled, each pixel is a square of them; the limit counts the scaled picture's pixels.
        width, height, plain, palette = picture(work, "")
        for scale in range(2, 5):
            rows = [plain[y * width:(y + 1) * width] for y in range(height)]
            big = b"".join(bytes(b for b in row for _ in range(scale)) * scale for row in rows)
            check("--scale %d blows it up" % scale,
                  picture(work, "--scale %d" % scale) == (width * scale, height * scale, big, palette))
        Path(work, "many.ntf").write_bytes(b"x\r\n" * 100000)  # 632 x 1,400,000 pixels: fits
        check("--scale 2 past the limit", render(work, "--png out.png --scale 2", "many.ntf") ==
              (2, b"", "Picture too large for PNG: out.png\n"))
        for options, message in REFUSED:
            check(options, render(work, options) ==
                  (2, b"", message + "\nRun with --help for more information.\n"))
    print(*FAILURES, "%d checks failed" % len(FAILURES), sep="\n")
    return 1 if FAILURES else 0


if __name__ == "__main__":
    sys.exit(main())
