#!/usr/bin/env python3
"""Tests of the quenby command-line tool: natively, under valgrind's memcheck or under Wine.

    run_cli_tests.py --quenby PATH [--wine | --memcheck | --sanitized | --regenerate]

The cases of COMMANDS, GOLDEN and BAD run in a copy of files/. --regenerate rewrites the golden
files from the program's output: read the differences before committing them."""

import argparse
import os
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
COPIES = {"copy": "lonely/bin", "zip": "unzipped/cli"}  # where the program's copies are run
HELP = ["", "render", "check", "templates", "sheet", "sfv", "jam", "jam list", "jam extract", "jam pack"]
USAGE = [("", "A subcommand is required"), ("jam", "A subcommand is required"),
         ("render", "sheet is required"), ("check", "templates is required"),
         ("jam extract t.jam", "name is required"), ("jam pack u.jam", "files is required"),
         ("render --template a.ntf --archive b.jam e.toml", "--template excludes --archive"),
         ("sfv --check a.sfv b", "paths excludes --check")]

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
    ("check {SHIPPED}", 0, b"", ""),
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
# Every sheet of sheets/ and the example through every shipped template, the example's picture,
# and the starter sheet, which renders as an empty one.
GOLDEN = [("render --template %s %s" % (t, s), 0, Golden("%s/%s.nfo" % (t.stem, s.stem)), "")
          for t in SHIPPED for s in sorted(Path(HERE, "sheets").glob("*.toml")) + [EXAMPLE]] + [
    (c % t, 0, Golden(g % t.stem), "") for t in SHIPPED for c, g in [
        ("render --template %s --png out.png {E}", "%s/release.png"),
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
    return ("; Generated by Quenby v1.0\r\n;\r\n" + "".join("%s %s\r\n" % r for r in rows)).encode()


def content(name, size):
    return size if type(size) is bytes else (name.encode() * size)[:size]


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
}
NO_VOLUMES = ("No archive volumes in %s: looked for NAME.rar with NAME.r00 and on, NAME.part1.rar "
              "and on, NAME.zip with NAME.z01 and on, NAME.7z, NAME.7z.001 and NAME.zip.001")
SFV_OF = {f: sfv(*[(v, "%08X" % zlib.crc32(content(v, size))) for v in volumes])
          for f, (volumes, _, size) in FOLDERS.items() if volumes and type(size) is not Sparse}
# The sheet each folder fills, rendered through Compact; the SFVs against zlib's CRC-32.
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
    ("sfv --check check/x.sfv", 1, "a.rar OK\na.r00 BAD (%08X, expected 00000000)\ngone.r01 "
     "MISSING\nsub MISSING\n" % zlib.crc32(b"a.r00"), ""),
    ("check/ sfv --check ../old/Nebula_Sketch.3.2.sfv", 2, b"",
     "../old/Nebula_Sketch.3.2.sfv:1: expected a file name and its CRC-32 in eight hex digits"),
    ("sfv --check check/none.sfv", 2, b"", "check/none.sfv: lists no files"),
    ("sfv --check check/nosuch.sfv", 2, b"", "Failed to open file: check/nosuch.sfv"),
    ("sfv --check check/bad.sfv", 2, b"", "".join("check/bad.sfv:%d: expected a file name and "
     "its CRC-32 in eight hex digits\n" % n for n in [1, 3, 4])),
]
RESULTS = []  # None for a check passed, else what failed


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
    """A two-colour PNG's size and grey levels, each chunk's CRC checked; else why not."""
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
    return (width, height, bits) if rows[::stride] == bytes(height) else "filtered rows"


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
    args = command.format(A=OPTIONS.archive, SHIPPED=" ".join(map(str, SHIPPED)), E=EXAMPLE,
                          G=os.path.join(HERE, "golden")).split()
    cwd, program, stdout, limited = work, OPTIONS.quenby, None, args[:1] == ["limit"]
    args = args[limited:]
    if args[:1] and args[0].endswith("/"):
        cwd = os.path.join(work, args.pop(0))
    if args[:1] in (["copy"], ["zip"]):
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


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quenby", required=True, help="the program (quenby or quenby.exe)")
    for flag in ["--wine", "--memcheck", "--sanitized", "--regenerate"]:
        parser.add_argument(flag, action="store_true")
    global OPTIONS
    OPTIONS = parser.parse_args()
    OPTIONS.quenby = os.path.abspath(OPTIONS.quenby)
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
        for folder, (volumes, others, size) in FOLDERS.items():
            os.makedirs(os.path.join(work, folder))
            for name, each in [(v, size) for v in volumes] + others:
                path = os.path.join(work, folder, name)
                if name.endswith("/"):
                    os.makedirs(path)
                    continue
                with open(path, "wb") as file:
                    file.truncate(each) if type(each) is Sparse else file.write(content(name, each))
        for command in PACKS:
            same("quenby " + command, (0, b"", b""), run(command.split(), work, OPTIONS.quenby))
        for case in COMMANDS + GOLDEN + BAD + FOLDER_CASES:
            row(work, *case)
        if not OPTIONS.wine:  # a pipe the user names as the template is read to its end
            os.mkfifo(os.path.join(work, "pipe.ntf"))
            feeder = threading.Thread(target=Path(work, "pipe.ntf").write_bytes,
                                      args=(Path(ROOT, "templates", "Compact.ntf").read_bytes(),))
            feeder.start()
            row(work, "render --template pipe.ntf e.toml", 0, Golden("Compact/empty.nfo"), "")
            feeder.join()
            # A file that opens but cannot be read (the process's memory at offset 0).
            row(work, "sfv /proc/self/mem", 2, b"", "Failed to read from file: /proc/self/mem")
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
