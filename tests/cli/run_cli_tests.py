#!/usr/bin/env python3
"""Tests of the quenby command-line tool: natively, under valgrind's memcheck or under Wine.

    run_cli_tests.py --quenby PATH [--wine | --memcheck | --sanitized | --regenerate]

The cases of COMMANDS, GOLDEN and BAD run in a copy of files/. --regenerate rewrites the golden
files from the program's output: read the differences before committing them."""

import argparse
import os
import pty
import resource
import shutil
import subprocess
import sys
import tempfile
import threading
import zlib
from pathlib import Path

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
EXAMPLE = Path(ROOT, "examples", "release.toml")
# Under memcheck a run passes with 0 errors and every heap block freed, leaks counted as errors.
MEMCHECK = ["valgrind", "--tool=memcheck", "--leak-check=full", "--show-leak-kinds=all",
            "--errors-for-leak-kinds=all", "--track-origins=yes", "--num-callers=30"]
CLEAN = ["ERROR SUMMARY: 0 errors", "All heap blocks were freed -- no leaks are possible"]
OLD = b"an older, longer file that must be replaced whole\n" * 100  # each of OUTS before every run
OUTS = ["out.nfo", "out.png", "out.html"]  # each of mode 0640 before, and after (not under Wine)
# Made in the work folder: files of 3 GiB (holes) and a template of more pixels than a PNG may have.
ZEROS = ["zeros.ntf", "zeros.toml"]
LINES = b"x\r\n" * 500000
LIMIT = 512 << 20  # the address space of a run marked "limit", where that can be set


class Golden(str):
    """The name of an expected output kept in golden/."""


# The characters the PC draws for the control bytes (Python's CP437 keeps them controls).
PICTURES = dict(zip([b for b in range(1, 0x20) if b not in (9, 10, 13)] + [0x7F],
                    "☺☻♥♦♣♠•◘♂♀♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼⌂"))
GLYPHS = Path(HERE, "files", "glyphs.ntf").read_bytes()  # every byte but NUL, LF and CR
HIGH = b"\r\n".join(bytes(range(row, row + 32)) for row in range(0x80, 0x100, 32)) + b"\r\n"
# Packed before the cases run: t.jam and the current folder's Quenby.jam, whose Default.ntf
# prints "first", and an archive without Default.ntf.
PACKS = ["jam pack t.jam Default.ntf=one.ntf sub/two.bin",
         "jam pack Quenby.jam Default.ntf=one.ntf", "jam pack other.jam one.ntf",
         "jam pack unzipped/Quenby.jam Default.ntf=one.ntf"]
# Where the program's copies are run; shipped/cli gets the build's archive and the shipped FileId
# beside its copy.
COPIES = {"copy": "lonely/bin", "zip": "unzipped/cli", "shipped": "shipped/cli"}
HELP = ["", "render", "check", "templates", "sheet", "sfv", "release", "jam", "jam list", "jam extract", "jam pack"]
USAGE = [("", "A subcommand is required"), ("jam", "A subcommand is required"),
         ("render", "sheet is required"), ("check", "templates is required"),
         ("jam extract t.jam", "name is required"), ("jam pack u.jam", "files is required"),
         ("render --template a.ntf --archive b.jam e.toml", "--template excludes --archive"),
         ("sfv b --check a.sfv", "paths excludes --check")]

# (command, exit code, output, message[, standard input: bytes, or a file to open]). A command
# may start with DIR/ (run there), "limit" (a run of limited memory, never under memcheck; in the
# sanitizer tree, whose operator new aborts rather than throwing, the allocator's own limit) and "copy" (the program's copy in lonely/bin/, no archive beside
# it nor above) or "zip" (its copy in unzipped/cli/, below an archive and a template as in the zip)
# and end with >FILE (standard output). The output is that of each of OUTS the command names (a
# tuple for several), else standard output. A message gets its line end; @PATH at its end is that
# file's full path. {G} is golden/. A list [native, Windows] gives a platform's exit code, output
# or message.
COMMANDS = [(c + " --help", 0, Golden("help/%s.txt" % (c or "quenby").replace(" ", "_")), "")
            for c in HELP] + [(c, 2, b"", m + "\nRun with --help for more information.")
                              for c, m in USAGE] + [
    ("--version", 0, b"Quenby v1.0\n", ""),
    # The default template: --archive, else beside the program, else above it, else here.
    ("render e.toml", 0, Golden("Default/empty.nfo"), ""),
    ("copy render e.toml", 0, b"first\r\n", ""),
    ("lonely/ copy render ../e.toml", 2, b"", "File not found:\n@lonely/Quenby.jam"),
    # The folder above the program is searched on Windows alone (the zip's cli\quenby.exe).
    ("sub/ zip templates", [2, 0], ["", "<Default>\nnarrow\nZipped\n"],
     ["File not found:\n@sub/Quenby.jam", ""]),
    ("render --template FileId -o out.nfo {E}", 0, Golden("FileId/release.nfo"), ""),  # README
    ("render --archive other.jam e.toml", 2, b"", "Quenby.jam is corrupt!"),
    ("render --template sub/gone.ntf e.toml", 2, b"", "Failed to open file: gone.ntf"),
    # The sheet from standard input, OUT replaced whole; files and streams that fail.
    ("render --archive {A} -o out.nfo -", 0, Golden("Default/release.nfo"), "",
     EXAMPLE.read_bytes()),
    ("render --archive t.jam -", 2, b"", "<stdin>:2: general.title: expected text (a string),"
     " found an integer", b"[general]\ntitle = 1\n"),
    ("render -", 2, b"", "Failed to read from file: <stdin>", "sub"),
    ("render nosuch.toml", 2, b"", "Failed to open file: nosuch.toml"),
    ("render sub", 2, b"", ("Failed to read from file: sub", "Failed to open file: sub")),
    ("render -o nowhere/out.nfo e.toml", 2, OLD, "Failed to open file: nowhere/out.nfo"),
    ("render e.toml >/dev/full", 2, b"", "Failed to write to file: standard output"),
    # Pictures and pages: all files or none; a failed generation draws its report.
    ("render --archive {A} --dark -o out.nfo --png out.png --html out.html {E}", 0, tuple(
        Golden("Default/release" + e) for e in [".nfo", "-dark.png", "-dark.html"]), ""),
    ("render --template markup.ntf --html out.html markup.toml", 0, Golden("markup.html"), ""),
    ("render --template glyphs.ntf --html out.html --png out.png e.toml", 0,
     (Golden("glyphs.html"), Golden("glyphs.png")), ""),
    ("render -o out.nfo --png nowhere/out.png e.toml", 2, (OLD, OLD),
     "Failed to open file: nowhere/out.png"),
    # A move that fails puts back the files moved before it.
    ("render -o out.nfo --png out.png --html sub e.toml", 2, (OLD, OLD), "Failed to move file: sub"),
    ("render --template lines.ntf -o out.nfo --png out.png e.toml", 2, (OLD, OLD),
     "Picture too large for PNG: out.png"),  # 632 x 7,000,000 pixels
    ("limit render --template zeros.ntf e.toml", 2, b"", "Out of memory"),
    ("render --template one.ntf -o out.png --png out.png e.toml", 0, (Golden("one.png"),) * 2, ""),
    ("render --utf8 --template sub/narrow.ntf -o out.nfo --png out.png cafe.toml", 1,
     (OLD, Golden("report.png")), Golden("report.txt")),
    ("sheet", 0, Golden("sheet.toml"), ""),
    ("sheet nowhere/out.nfo", 2, OLD, "Failed to open file: nowhere/out.nfo"),
    # A failed generation: the framed report (converted like the NFO), OUT left as it was.
    ("render --utf8 --template sub/narrow.ntf -o out.nfo cafe.toml", 1, OLD,
     Golden("report.txt")),
    # CP437: every character of the upper half in from UTF-8, every byte out with --utf8.
    ("render --template remarks.ntf high.toml", 0, HIGH, ""),  # the upper half in rows of 32
    ("render --template remarks high.toml", 0, HIGH, ""),  # a bare name: NAME.ntf here
    ("render --utf8 --template glyphs.ntf e.toml", 0, GLYPHS.decode("cp437").translate(
        {ord(bytes([b]).decode("cp437")): p for b, p in PICTURES.items()}), ""),
    # check: every file checked; a file that cannot be loaded wins over problems found.
    ("check nosuch.ntf broken.ntf empty.ntf", 2, Golden("check/broken.txt"),
     "Failed to open file: nosuch.ntf\nFile is empty: empty.ntf"),
    ("check renderings.ntf", 1, Golden("check/renderings.txt"), ""),  # found only by rendering
    ("check --strict {SHIPPED}", 0, b"", ""),
    # Warnings, FILE:LINE:COLUMN: each first of its kind in a line that may reach the output.
    ("check warn/long.ntf", 0, "warn/long.ntf:2:80: warning: line is 85 characters long: the "
     "engine cuts it to 79\n", ""),
    ("check warn/tab.ntf", 0, "warn/tab.ntf:2:2: warning: tab: every viewer moves it to tab stops "
     "of its own\n", ""),
    ("check warn/control.ntf", 0, "warn/control.ntf:1:3: warning: control byte 0x0D: viewers take "
     "it as a control, not a glyph\n", ""),
    ("check warn/nul-byte.ntf", 0, "warn/nul-byte.ntf:1:3: warning: NUL byte: the engine ends the line here\n", ""),
    ("check warn/room.ntf", 0, "warn/room.ntf:1:12: warning: TITLE has no room for any text: line 2 "
     "is not blank at column 39\n", ""),
    ("check --strict warn/nul-byte.ntf", 1, "warn/nul-byte.ntf:1:3: warning: NUL byte: the engine ends the "
     "line here\n", ""),
    # The selector's entries, sorted ignoring case ("" is ".ntf"); then the jam commands.
    ("sel/ copy templates --archive {A}", 0, "\n<Default>\n_under\nAlpha\nbeta\nDefault\nZed\n", ""),
    ("sel/ templates --archive nosuch.jam", 2, b"", "File not found:\n@sel/nosuch.jam"),
    ("jam list t.jam", 0, "         7  Default.ntf\n       256  two.bin\n", ""),
    ("jam list nosuch.jam", 2, b"", "File not found: @nosuch.jam"),
    ("jam extract t.jam two.bin", 0, bytes(range(256)), ""),
    ("jam extract t.jam Default.ntf -o out.nfo", 0, b"first\r\n", ""),
    ("jam extract t.jam default.ntf", 2, b"", "File not found in archive: default.ntf"),
    ("jam pack u.jam nosuch.bin", 2, b"", "cannot open nosuch.bin"),
    ("jam pack u.jam one.ntf one.ntf", 2, b"", "duplicate entry name: one.ntf"),
    ("jam pack u.jam one.ntf sub", 2, b"", "cannot open sub"),  # a folder is no entry
]

SHIPPED = sorted(Path(ROOT, "templates").glob("*.ntf"))
# Every sheet of sheets/, the example and the template's longest texts (longest/, which
# make_templates.py writes) through every shipped template; the example's picture, which is the
# gallery's (scripts/make-gallery); and the starter sheet, which renders as an empty one.
GOLDEN = [("render --template %s %s" % (t, s), 0, Golden("%s/%s.nfo" % (t.stem, g or s.stem)), "")
          for t in SHIPPED for s, g in [(s, None) for s in sorted(Path(HERE, "sheets").glob("*.toml"))]
          + [(EXAMPLE, None), (Path(HERE, "longest", t.stem + ".toml"), "longest")]] + [
    (c % t, 0, Golden(g % t.stem), "") for t in SHIPPED for c, g in [
        ("render --template %s --png out.png {E}", "../../../docs/gallery/%s.png"),
        ("render --template %s {G}/sheet.toml", "%s/empty.nfo")]]
# Each sheet of files/bad/ is refused: "FILE:LINE: message" for each of its lines that is refused,
# in line order (the keys are read in name order), and nothing is written.
BAD = [("render --archive {A} -o out.nfo bad/" + s.name, 2, OLD, Golden("bad/%s.txt" % s.stem))
       for s in sorted(Path(HERE, "files", "bad").glob("*.toml"))]

# Release folders made in the work folder: the volumes in the order the parts go, then the other
# files. A file is its size (its bytes its name's, repeated), a Sparse size (a hole: nothing big
# is written) or its bytes; a name ending in "/" is a folder.
class Sparse(int):
    """A file of this many zero bytes, made as a hole."""


def sfv(*rows):
    return os.fsencode("; Generated by Quenby v1.0\r\n;\r\n" + "".join("%s %s\r\n" % r for r in rows))


def content(name, size):
    return size if type(size) is bytes else (os.fsencode(name) * size)[:size]


def sfv_of(*names, size):
    return sfv(*[(n, "%08X" % zlib.crc32(content(os.path.basename(n), size))) for n in names])


FOLDERS = {
    "old": (["Nebula_Sketch.3.2.rar", "Nebula_Sketch.3.2.r00", "Nebula_Sketch.3.2.r01"],
            [("Nebula_Sketch.3.2.sfv", 9), ("info.nfo", 9000), ("FILE_ID.DIZ", 9000)], 3000),
    "new": (["App.part1.rar", "App.part2.rar", "App.part10.rar"], [("a.cue", 1), ("Manual/", 0)], 1024),
    "zip": (["z.z01", "z.z02", "z.zip"], [("Guide.PDF", 1), ("other.7z", 20), ("o.7z.001", 20)], 9),
    "kb": (["k.7z"], [], Sparse(999999 * 1024)),  # the most Kb: 999999 Kb
    "mb": (["m.zip"], [], Sparse(999999 * 1024 + 1)),  # a byte more: 977 Mb
    "big": (["Big.7z.001", "Big.7z.002"], [], Sparse((5 << 30) + 1)),  # past 4 GiB: 5121 Mb
    "empty": ([], [], 0),
    "nfo": ([], [("only.nfo", 9), ("only.sfv", 9), ("only.diz", 9), ("only.rar/", 0)], 0),
    "check": (["a.rar", "a.r00"], [("x.sfv", sfv(("a.rar", "%08X" % zlib.crc32(b"a.rar")),
                                                 ("a.r00", "00000000"), ("gone.r01", "0BADF00D"),
                                                 ("sub", "00000000"))),
                                   ("none.sfv", b"; nothing\r\n\r\n"), ("sub/", 0),
                                   ("bad.sfv", b"a.rar 1234567\nok.rar 00000000\n a.rar\nx 1234567G\n")], 5),
    "Café": (["Ωmega.rar", "Ωmega.r00"], [("Ωmega.sfv", sfv_of("Ωmega.rar", "Ωmega.r00", size=5))], 5),
    # An SFV from a stranger: only its own folder's regular files are read.
    "unsafe": ([], [("x.sfv", sfv(*[(n, "00000000") for n in [
        "../check/a.rar", "/etc/passwd", "C:\\x.rar", "sub\\..\\..\\a.rar", "Con.rar", "sub"]],
        ("u.rar", "%08X" % zlib.crc32(b"u.rar")))), ("u.rar", 5), ("sub/", 0)], 0),
}
# Names a command line cannot split (a space, quotes, a backslash, a line break, a Latin-1 byte):
# {Q} in a command. These folders are made and used natively only: Windows has no such names.
QUOTED = 'q "u" b\\s\nl\udce9'
ODD_FOLDERS = {
    QUOTED: (['A "b" c\\d.rar', 'A "b" c\\d.r00'], [("A.sfv", sfv_of('A "b" c\\d.rar', 'A "b" c\\d.r00',
                                                                    size=4))], 4),
    "latin1": (["caf\udce9.rar"], [], 3),
    "ctl": (["a\nb.rar"], [], 3),
    "special": ([], [("x.sfv", sfv(("fifo", "00000000"), ("zero", "00000000"))), ("fifo", "fifo"),
                     ("zero", "/dev/zero")], 0),  # a pipe, and a link to a device
}
NO_VOLUMES = ("No archive volumes in %s: looked for NAME.rar with NAME.r00 and on, NAME.part1.rar "
              "and on, NAME.zip with NAME.z01 and on, NAME.7z, NAME.7z.001 and NAME.zip.001")
SFV_OF = {f: sfv(*[(v, "%08X" % zlib.crc32(content(v, size))) for v in volumes])
          for f, (volumes, _, size) in FOLDERS.items() if volumes and type(size) is not Sparse}
# The sheet each folder fills, rendered through Compact; the SFVs against zlib's CRC-32.
CHECKED_X = "a.rar OK\na.r00 BAD (%08X, expected 00000000)\ngone.r01 MISSING\nsub REFUSED (not a " \
    "regular file)\n" % zlib.crc32(b"a.r00")
FOLDER_CASES = [c for f in FOLDERS if FOLDERS[f][0] for c in [
    ("sheet --from %s out.nfo" % f, 0, Golden("folders/%s.toml" % f), ""),
    ("render --template %s -" % Path(ROOT, "templates", "Compact.ntf"), 0, Golden("folders/%s.nfo" % f), "",
     os.path.join(HERE, "golden", "folders", f + ".toml"))]] + [
    ("sfv " + f, 0, SFV_OF[f], "") for f in SFV_OF] + [
    ("sheet --from empty", 2, b"", NO_VOLUMES % "empty"),
    ("sheet --from nfo", 2, b"", NO_VOLUMES % "nfo"),
    ("sfv nfo -o out.nfo", 2, OLD, NO_VOLUMES % "nfo"),
    ("sheet --from nosuch", 2, b"", "Failed to read the folder: nosuch"),
    ("sfv", 2, b"", "Name a folder, files or --check FILE.sfv\nRun with --help for more information."),
    ("sfv new/App.part10.rar old/Nebula_Sketch.3.2.r00 new/App.part2.rar", 0, sfv(*[
        (n, "%08X" % zlib.crc32(content(os.path.basename(n), 1024 if "App" in n else 3000)))
        for n in ["new/App.part2.rar", "new/App.part10.rar", "old/Nebula_Sketch.3.2.r00"]]), ""),
    ("sfv -o out.nfo check/a.rar nosuch.r00", 2, OLD, "Failed to open file: nosuch.r00"),
    ("sfv --check check/x.sfv", 2, CHECKED_X, ""),
    ("sfv --check check/x.sfv Café/Ωmega.sfv", 2, "check/x.sfv:\n%sCafé/Ωmega.sfv:\nΩmega.rar OK\n"
     "Ωmega.r00 OK\n" % CHECKED_X, ""),
    ("sfv --check Café", 0, "Ωmega.rar OK\nΩmega.r00 OK\n", ""),
    ("sfv --check empty", 2, b"", "No SFV in empty"),
    ("sfv --check unsafe/x.sfv", 2, "../check/a.rar REFUSED (a path out of the SFV's folder)\n"
     "/etc/passwd REFUSED (an absolute path)\nC:\\x.rar REFUSED (a drive letter)\n"
     "sub\\..\\..\\a.rar REFUSED (a path out of the SFV's folder)\nCon.rar REFUSED (a device name)\n"
     "sub REFUSED (not a regular file)\nu.rar OK\n", ""),
    # The rows name the files from the SFV's folder, which holds them.
    ("sub/ sfv ../new/App.part2.rar ../new/App.part1.rar -o ../out.nfo", 0,
     sfv_of("new/App.part1.rar", "new/App.part2.rar", size=1024), ""),
    ("sfv check/a.rar -o new/out.nfo", 2, OLD, "Outside the SFV's folder: check/a.rar"),
    ("sfv -o out.nfo check/a.rar check/sub", 2, OLD, "Not a regular file: check/sub"),
    ("check/ sfv --check ../old/Nebula_Sketch.3.2.sfv", 2, b"",
     "../old/Nebula_Sketch.3.2.sfv:1: expected a file name and its CRC-32 in eight hex digits"),
    ("sfv --check check/none.sfv", 2, b"", "check/none.sfv: lists no files"),
    ("sfv --check check/nosuch.sfv", 2, b"", "Failed to open file: check/nosuch.sfv"),
    ("sfv --check check/bad.sfv", 2, b"", "".join("check/bad.sfv:%d: expected a file name and "
     "its CRC-32 in eight hex digits\n" % n for n in [1, 3, 4])),
]
# Finished release folders for release --check: good, one tampered with (a bad CRC, a missing file,
# the folder, a volume the SFV lacks, an NFO and a sheet that say otherwise) and a bare one.
def crcs(size, *names):
    return sfv(*[(n, "%08X" % zlib.crc32(content(os.path.basename(n), size))) for n in names])


RELEASES = {
    "good": (["G.part1.rar", "G.part2.rar"], [("G.sfv", crcs(10, "G.part1.rar", "G.part2.rar")),
                                              ("G.nfo", b"Size: 1Kb\r\n2 files, post 1\r\nSFV\r\n")], 10),
    "tampered": (["T.rar", "T.r00", "T.r01"], [
        ("T.sfv", crcs(10, "T.rar", "gone.rar") + b"T.r00 00000000\r\n"),
        ("T.nfo", b"11Kb\r\n13 files\r\nSFV, CUE\r\n"),
        ("T.toml", b"[general]\npacked = 2\n[upload]\nfiles = 4\nsupport = ['SFV', 'CUE', 'Manual']\n")], 10),
    "bare": (["N.7z"], [], 10),
    "fresh": (["Fresh.part1.rar", "Fresh.part2.rar"], [("fresh.cue", 1)], 1500),
}
WROTE = "".join("Wrote fresh/%s\n" % n for n in ["Fresh.nfo", "Fresh.sfv", "FILE_ID.DIZ"])
CHECKED = ("T.rar OK\ngone.rar MISSING\nT.r00 BAD (%08X, expected 00000000)\nT.r01 NOT IN SFV\n"
           % zlib.crc32(content("T.r00", 10)))
RELEASE_CASES = [
    ("release --check good/", 0, "G.part1.rar OK\nG.part2.rar OK\npacked size OK (1Kb)\n"
     "files OK (2 files)\nsupport OK (SFV)\n", ""),
    ("release --check tampered/", 1, CHECKED + "packed size BAD (neither 1Kb nor 1Mb is in "
     "tampered/T.nfo)\nfiles BAD (\"3 files\" is not in tampered/T.nfo)\nsupport BAD (\"SFV\" is "
     "not in tampered/T.nfo)\n", ""),
    ("release --check tampered/ tampered/T.toml", 1, CHECKED + "packed size BAD (the volumes make "
     "1Kb, tampered/T.toml says 2Kb)\nfiles BAD (the volumes are 3, tampered/T.toml says 4)\n"
     "support BAD (the folder holds SFV, tampered/T.toml says SFV, CUE, manual)\n", ""),
    ("release --check bare/", 1, "N.sfv MISSING\nN.nfo MISSING\n", ""),
]

ODD_CASES = [
    ("sheet --from {Q}", 0, Golden("folders/quoted.toml"), ""),
    ("sfv {Q}", 0, ODD_FOLDERS[QUOTED][1][0][1], ""),
    ("sfv --check {Q}/A.sfv", 0, 'A "b" c\\d.rar OK\nA "b" c\\d.r00 OK\n', ""),
    ("sheet --from latin1", 2, b"", "Not a UTF-8 name: caf\\xE9.rar"),
    ("sfv latin1", 0, sfv_of("caf\udce9.rar", size=3), ""),
    ("sheet --from ctl", 2, b"", "Cannot fill the title from a\\x0Ab.rar: a line break is not allowed"
     " in single-line text"),
    ("sfv ctl", 2, b"", "Not a name for an SFV (a control character): ctl/a\\x0Ab.rar"),
    ("sfv --check special/x.sfv", 2, "fifo REFUSED (not a regular file)\nzero REFUSED (not a regular "
     "file)\n", ""),
]
RESULTS = []  # None for a check passed, else what failed


def is_64bit_windows_program(path):
    with open(path, "rb") as exe:
        header = exe.read(4096)
    pe = int.from_bytes(header[0x3C:0x40], "little")
    return header[pe + 4:pe + 6] == b"\x64\x86"  # IMAGE_FILE_MACHINE_AMD64


def limit():
    resource.setrlimit(resource.RLIMIT_AS, (LIMIT, LIMIT))


def run(args, cwd, program, stdin=b"", stdout=None, limited=False):
    command = (["wine"] if OPTIONS.wine else []) + [program] + args
    bound = {"preexec_fn": limit} if limited and not (OPTIONS.wine or OPTIONS.sanitized) else {}
    # Files, not pipes: a wineserver started by the call would hold a pipe open after the
    # program has ended, and the call would wait for the server to go.
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err, \
            tempfile.NamedTemporaryFile(mode="r") as log:
        if OPTIONS.memcheck and not limited:
            command = MEMCHECK + ["--log-file=" + log.name] + command
        # The allocator's warning of a block refused goes to the log, not to the program's errors.
        asan = [os.environ.get("ASAN_OPTIONS", ""), "allocator_may_return_null=1",
                "max_allocation_size_mb=%d" % (LIMIT >> 20), "log_path=" + log.name]
        env = dict(os.environ, ASAN_OPTIONS=":".join(filter(None, asan))) \
            if limited and OPTIONS.sanitized else None
        source = os.open(os.path.join(cwd, stdin), os.O_RDONLY) if type(stdin) is str else None
        with open(stdout or os.devnull, "wb") as sink:
            done = subprocess.run(command, cwd=cwd, stdout=sink if stdout else out, stderr=err,
                                  timeout=600, env=env, **bound,
                                  **{"stdin": source} if source else {"input": stdin})
        if source:
            os.close(source)
        report = log.read()
        for path in Path(log.name).parent.glob(Path(log.name).name + ".*"):
            path.unlink()  # the allocator's warnings
        if OPTIONS.memcheck and not limited and not all(c in report for c in CLEAN):
            RESULTS.append("FAIL memcheck: quenby %s\n%s" % (" ".join(args), report))
        return (done.returncode,) + tuple(f.seek(0) or f.read() for f in (out, err))


def pixels(png):
    """A two-colour PNG's size, grey levels (of red) and palette, each chunk's CRC checked; else
    why not."""
    chunks, at = {}, 8
    while png[:8] == b"\x89PNG\r\n\x1a\n" and at + 12 <= len(png):
        size = int.from_bytes(png[at:at + 4], "big")
        kind, data = png[at + 4:at + 8], png[at + 8:at + 8 + size]
        if zlib.crc32(kind + data) != int.from_bytes(png[at + 8 + size:at + 12 + size], "big"):
            return "bad CRC"
        chunks[kind] = chunks.get(kind, b"") + data
        at += 12 + size
    head = chunks.get(b"IHDR", b"")
    if at != len(png) or b"IEND" not in chunks or head[8:] != bytes([1, 3, 0, 0, 0]):
        return "not a 1-bit palette PNG"
    width, height = int.from_bytes(head[:4], "big"), int.from_bytes(head[4:8], "big")
    rows, stride = zlib.decompress(chunks[b"IDAT"]), 1 + (width + 7) // 8
    grey = chunks[b"PLTE"][::3]
    bits = b"".join(bytes(grey[b >> (7 - i) & 1] for b in rows[y * stride + 1:(y + 1) * stride]
                         for i in range(8))[:width] for y in range(height))
    return (width, height, bits, chunks[b"PLTE"]) if rows[::stride] == bytes(height) else "filtered rows"


def same(name, expected, actual):
    if isinstance(expected, Golden):
        path = Path(HERE, "golden", expected)
        if OPTIONS.regenerate:
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_bytes(actual)
        expected = path.read_bytes() if path.exists() else "no file " + str(path)
        if path.suffix == ".png":  # zlib may compress the same pixels otherwise
            expected, actual = pixels(expected), pixels(actual)
    expected = expected.encode() if type(expected) is str else expected
    RESULTS.append(None if expected == actual else
                   "FAIL %s\n    got %r\n    expected %r" % (name, actual, expected))


def row(work, command, code, output, message, stdin=b""):
    for out in OUTS:
        Path(work, out).write_bytes(OLD)
        os.chmod(Path(work, out), 0o640)
    args = [a.replace("{Q}", QUOTED) for a in command.format(
        A=OPTIONS.archive, SHIPPED=" ".join(map(str, SHIPPED)), E=EXAMPLE,
        G=os.path.join(HERE, "golden"), Q="{Q}").split()]
    cwd, program, stdout, limited = work, OPTIONS.quenby, None, args[:1] == ["limit"]
    if limited and OPTIONS.unlimited:
        return
    args = args[limited:]
    if args[:1] and args[0].endswith("/"):
        cwd = os.path.join(work, args.pop(0))
    if args[:1] and args[0] in COPIES:
        program = os.path.join(work, COPIES[args.pop(0)], os.path.basename(program))
    if args[-1:] and args[-1].startswith(">"):
        stdout = args.pop()[1:]
    before = sorted(os.listdir(work))
    got, out, err = run(args, cwd, program, stdin, stdout, limited)
    message = message[OPTIONS.wine] if type(message) is tuple else message  # (native, Windows)
    code, output, message = (v[OPTIONS.wine] if type(v) is list else v for v in (code, output, message))
    if "@" in message:  # the full path the program's fullPathName gives
        message, path = message.split("@")
        path = os.path.realpath(os.path.join(work, path))
        message += "Z:" + path.replace("/", "\\") if OPTIONS.wine else path
    if message and not isinstance(message, Golden) and not message.endswith("\n"):
        message += "\n"
    name = "quenby " + command
    named = [o for a in args for o in OUTS if a.endswith(o)]
    files = {o: Path(work, o).exists() and Path(work, o).read_bytes() for o in OUTS}
    rest = [files[o] for o in OUTS if o not in named]
    modes = {o: Path(work, o).exists() and os.stat(Path(work, o)).st_mode & 0o777 for o in OUTS}
    same(name + ": permissions kept", {o: 0o640 for o in OUTS}, modes) if not OPTIONS.wine else None
    same(name + ": exit code", code, got)
    same(name + ": message", message, err)
    for i, expected in enumerate(output if type(output) is tuple else (output,)):
        same(name + ": output %d" % i, expected, files[named[i]] if named else out)
    same(name + ": nothing else written", (b"" if named else out, [OLD] * len(rest), before),
         (out, rest, sorted(os.listdir(work))))


def released(work):
    """release writes its three files into a fresh folder; again, it refuses to replace them and
    changes nothing; with --force it writes the same bytes; and the folder then checks OK."""
    fresh = [Path(work, "fresh", n) for n in ["Fresh.nfo", "Fresh.sfv", "FILE_ID.DIZ"]]
    row(work, "shipped release fresh/", 0, WROTE, "")
    first = [f.exists() and f.read_bytes() for f in fresh]
    for expected, written in zip([Golden("release/Fresh.nfo"), crcs(1500, "Fresh.part1.rar",
                                  "Fresh.part2.rar"), Golden("release/FILE_ID.DIZ")], first):
        same("release fresh: written", expected, written)
    for f in fresh:
        f.write_bytes(b"mine")
    row(work, "shipped release fresh/", 2, b"", "".join(
        "File already exists: fresh/%s (--force replaces it)\n" % f.name for f in fresh))
    same("release fresh: nothing replaced", [b"mine"] * 3, [f.read_bytes() for f in fresh])
    row(work, "shipped release --force fresh/", 0, WROTE, "")
    same("release --force fresh: the same bytes", first, [f.read_bytes() for f in fresh])
    row(work, "release --check fresh/", 0, "Fresh.part1.rar OK\nFresh.part2.rar OK\npacked size OK "
        "(3Kb)\nfiles OK (2 files)\nsupport OK (SFV, CUE)\n", "")


def terminal(work, args):
    """What a run writes to standard error when that is a (pseudo-)terminal."""
    parent, child = pty.openpty()
    subprocess.run([OPTIONS.quenby] + args, cwd=work, stdout=subprocess.DEVNULL, stderr=child,
                   timeout=600)
    os.close(child)
    seen = b""
    try:
        while True:
            chunk = os.read(parent, 4096)
            if not chunk:
                break
            seen += chunk
    except OSError:  # the terminal's other side has closed
        pass
    os.close(parent)
    return seen


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quenby", required=True, help="the program (quenby or quenby.exe)")
    for flag in ["--wine", "--memcheck", "--sanitized", "--regenerate"]:
        parser.add_argument(flag, action="store_true")
    global OPTIONS
    OPTIONS = parser.parse_args()
    OPTIONS.quenby = os.path.abspath(OPTIONS.quenby)
    # Wine sets no limit on memory: a run marked "limit" is limited only by a 32-bit program's
    # address space, and a 64-bit quenby.exe would take every byte the template asks for.
    OPTIONS.unlimited = OPTIONS.wine and is_64bit_windows_program(OPTIONS.quenby)
    folder = os.path.dirname(OPTIONS.quenby)  # the archive beside the program, or above cli/
    OPTIONS.archive = next(a for a in [os.path.join(folder, "Quenby.jam"),
                                       os.path.join(folder, "..", "Quenby.jam")] if os.path.exists(a))
    if OPTIONS.wine:
        os.environ.setdefault("WINEPREFIX", os.path.join(ROOT, "build", "wineprefix"))
        os.environ.setdefault("WINEARCH", "win32")
        os.environ.update({"WINEDEBUG": "-all", "DISPLAY": "", "WINEDLLOVERRIDES": "mscoree,mshtml="})
    work = tempfile.mkdtemp(prefix="quenby-cli-")
    try:
        shutil.copytree(os.path.join(HERE, "files"), work, dirs_exist_ok=True)
        for name in ZEROS:
            with open(os.path.join(work, name), "wb") as file:
                file.truncate(3 << 30)
        Path(work, "lines.ntf").write_bytes(LINES)
        for folder in COPIES.values():
            os.makedirs(os.path.join(work, folder))
            shutil.copy(OPTIONS.quenby, os.path.join(work, folder))
        for shipped in [os.path.join(ROOT, "templates", "FileId.ntf"), OPTIONS.archive]:
            shutil.copy(shipped, os.path.join(work, COPIES["shipped"]))
        for folder, (volumes, others, size) in list({**FOLDERS, **RELEASES}.items()) + (
                [] if OPTIONS.wine else list(ODD_FOLDERS.items())):
            os.makedirs(os.path.join(work, folder))
            for name, each in [(v, size) for v in volumes] + others:
                path = os.path.join(work, folder, name)
                if name.endswith("/"):
                    os.makedirs(path)
                    continue
                if type(each) is str:  # a pipe, or a link to a device
                    os.mkfifo(path) if each == "fifo" else os.symlink(each, path)
                    continue
                with open(path, "wb") as file:
                    file.truncate(each) if type(each) is Sparse else file.write(content(name, each))
        for command in PACKS:
            same("quenby " + command, (0, b"", b""), run(command.split(), work, OPTIONS.quenby))
        # Under memcheck each shipped template runs once, with its longest texts: the other
        # sheets take the same code, and a run under valgrind takes seconds.
        golden = [g for g in GOLDEN if not OPTIONS.memcheck or g[2].endswith("/longest.nfo")]
        for case in COMMANDS + golden + BAD + FOLDER_CASES + RELEASE_CASES:
            row(work, *case)
        released(work)
        if not OPTIONS.wine:  # a pipe the user names as the template is read to its end
            os.mkfifo(os.path.join(work, "pipe.ntf"))
            feeder = threading.Thread(target=Path(work, "pipe.ntf").write_bytes,
                                      args=(Path(ROOT, "templates", "Compact.ntf").read_bytes(),))
            feeder.start()
            row(work, "render --template pipe.ntf e.toml", 0, Golden("Compact/empty.nfo"), "")
            feeder.join()
            # A file that opens but cannot be read (the process's memory at offset 0).
            row(work, "/ sfv proc/self/mem", 2, b"", "Failed to read from file: proc/self/mem")
            for case in ODD_CASES:
                row(work, *case)
            # A progress line on a terminal, unless quiet; the rows above saw none in a file.
            line = terminal(work, ["sfv", "old"])
            same("quenby sfv old: progress on a terminal", True,
                 all(part in line for part in [b"\r", b" of 8.8 KiB, ", b"/s, ", b" left"]))
            same("quenby sfv --quiet old: no progress", b"", terminal(work, ["sfv", "--quiet", "old"]))
            # Through a symbolic link the file it leads to is replaced, or put back, and the link stays.
            os.symlink("out.nfo", os.path.join(work, "via-out.nfo"))
            row(work, "render -o via-out.nfo e.toml", 0, Golden("Default/empty.nfo"), "")
            row(work, "render -o via-out.nfo --png out.png --html sub e.toml", 2, (OLD, OLD),
                "Failed to move file: sub")
            same("via-out.nfo: still a link", True, os.path.islink(os.path.join(work, "via-out.nfo")))
            if not OPTIONS.sanitized:  # a sheet that outgrows the memory: std::bad_alloc caught
                row(work, "limit render -o out.nfo -", 2, OLD, "Out of memory", "zeros.toml")
    finally:
        shutil.rmtree(work, ignore_errors=True)
    failures = [r for r in RESULTS if r]
    print(*failures, "%d of %d checks failed" % (len(failures), len(RESULTS)), sep="\n")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
