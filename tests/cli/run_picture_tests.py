#!/usr/bin/env python3
"""The NFO's picture checked against the font it is drawn from, and its web page in Chromium.

    run_picture_tests.py --quenby PATH"""

import argparse
import html
import os
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "scripts"))
from pcf_font import PcfFont, code_point  # noqa: E402

FONT = "/usr/share/fonts/X11/misc/8x13.pcf.gz"
EXAMPLE = ROOT / "examples" / "release.toml"
# Bytes drawn from the font (the frames' top row doubled, the others' blank), and shades and
# blocks drawn to fill their cells: the share of each cell's pixels that is ink.
FROM_FONT = [0xBA, 0xC9, 0xCD, 0xE9, ord("A")]
INK = {0xB0: 1 / 4, 0xB1: 1 / 2, 0xB2: 3 / 4, 0xDB: 1}


def check(failures, what, ok):
    if not ok:
        failures.append(what)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quenby", required=True)
    quenby, failures = os.path.abspath(parser.parse_args().quenby), []
    with tempfile.TemporaryDirectory(prefix="quenby-pictures-") as work:
        bytes_ = FROM_FONT + list(INK)
        Path(work, "t.ntf").write_bytes(bytes(bytes_) + b"\r\n")
        subprocess.run([quenby, "render", "--template", "t.ntf", "--png", "t.png", "-"],
                       cwd=work, input=b"", check=True, timeout=60)
        pixels = subprocess.run(["convert", "t.png", "-depth", "8", "gray:-"], cwd=work,
                                stdout=subprocess.PIPE, check=True, timeout=60).stdout
        check(failures, "a picture of 79 cells of 8 x 14", len(pixels) == 79 * 8 * 14)
        font = PcfFont(FONT)
        for i, byte in enumerate(bytes_):
            cell = [[int(pixels[y * 632 + i * 8 + x] == 0) for x in range(8)] for y in range(14)]
            if byte in INK:
                check(failures, "ink of 0x%02X" % byte, sum(map(sum, cell)) == INK[byte] * 112)
            else:
                glyph = font.cell(code_point(byte), 8)
                top = glyph[0] if 0xB3 <= byte <= 0xDA else [0] * 8
                check(failures, "glyph of 0x%02X" % byte, cell == [top] + glyph)
        # The page in a real browser: its text and title, and a screenshot that is not blank.
        page, nfo = Path(work, "page.html"), Path(work, "nfo.txt")
        subprocess.run([quenby, "render", "--utf8", "-o", str(nfo), "--html", str(page),
                        str(EXAMPLE)], check=True, timeout=60)
        chromium = ["chromium", "--headless", "--no-sandbox", "--disable-gpu",
                    "--disable-background-networking", "--user-data-dir=" + work + "/profile",
                    "--window-size=800,1200", "--hide-scrollbars"]
        dom = subprocess.run(chromium + ["--dump-dom", page.as_uri()], stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=True, timeout=120).stdout.decode()
        text = html.unescape(dom.split("<pre>", 1)[1].split("</pre>", 1)[0])
        check(failures, "the page's text", text == nfo.read_text().replace("\r\n", "\n"))
        check(failures, "the page's title", "<title>Nébula Sketchpad 3.2</title>" in dom)
        subprocess.run(chromium + ["--screenshot=" + work + "/shot.png", page.as_uri()],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True,
                       timeout=120)
        mean = subprocess.run(["convert", work + "/shot.png", "-colorspace", "gray", "-format",
                               "%[fx:mean]", "info:"], stdout=subprocess.PIPE, check=True,
                              timeout=60).stdout
        check(failures, "a screenshot with ink on it", 0.5 < float(mean) < 0.98)
    print(*failures, "%d checks failed" % len(failures), sep="\n")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
