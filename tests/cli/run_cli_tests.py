#!/usr/bin/env python3
"""Tests of the quenby command-line tool, run against the native program or quenby.exe under Wine.

    run_cli_tests.py --quenby PATH [--wine | --memcheck] [--archive Quenby.jam] [SUITE...]
    run_cli_tests.py --quenby build/native/bin/quenby --regenerate

Suites: golden (sheets rendered through every shipped template, compared byte for byte with
golden/TEMPLATE/SHEET.nfo), sheets (every sheet error and exit code of render), check (quenby check
on a template with seeded faults), commands (templates, jam, --help, --version, usage errors).
--regenerate rewrites the golden files from the program's output: inspect them before committing.
--memcheck runs every command of the chosen suites under valgrind's memcheck as well.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
SHEETS = os.path.join(HERE, "sheets")
GOLDEN = os.path.join(HERE, "golden")
EXAMPLE_SHEET = os.path.join(ROOT, "examples", "release.toml")

# The shipped templates: the archive's default one, and the loose ones rendered with --template.
ARCHIVE_TEMPLATE = "Default"
LOOSE_TEMPLATES = ["Compact", "Wide"]

# The characters the PC draws for the control bytes 0x01-0x1F and 0x7F.
PICTOGRAPHS = dict(zip(list(range(1, 0x20)) + [0x7F],
                       "☺☻♥♦♣♠•◘○◙♂♀♪♫☼►◄↕‼¶§▬↨↑↓→←∟↔▲▼⌂"))

REPORT_FORMAT = ("\r\n     -----------------------\r\n    | NFO GENERATION FAILED |\r\n"
                 "     -----------------------\r\n\r\nERROR:\r\n{message}\r\n\r\n"
                 "Template: {template}\r\nLine:     {line}\r\n")


class Quenby:
    """Runs the program, natively or under Wine, in a given folder."""

    def __init__(self, program, wine, memcheck=False):
        self.program = os.path.abspath(program)
        self.wine = wine
        # Under valgrind's memcheck every run must end with no error and every block freed;
        # the runs that did not are kept here as (arguments, valgrind's report).
        self.memcheck = memcheck
        self.memcheck_faults = []
        self.memcheck_runs = 0
        self.env = dict(os.environ)
        if wine:
            if "WINEPREFIX" not in self.env:
                self.env.update({"WINEPREFIX": os.path.join(ROOT, "build", "wineprefix"),
                                 "WINEARCH": "win32"})
            self.env.update({"WINEDEBUG": "-all", "DISPLAY": "",
                             "WINEDLLOVERRIDES": "mscoree,mshtml="})

    def run(self, args, cwd, stdin=b"", program=None):
        command = [program or self.program] + list(args)
        if self.wine:
            command = ["wine"] + command
        # Files, not pipes: a wineserver started by the call would hold a pipe open after the
        # program has ended, and the call would wait for the server to go.
        with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err, \
                tempfile.NamedTemporaryFile(mode="r", suffix=".memcheck") as log:
            if self.memcheck:
                command = MEMCHECK + ["--log-file=" + log.name] + command
            done = subprocess.run(command, cwd=cwd, input=stdin, stdout=out, stderr=err,
                                  env=self.env, timeout=120 if not self.memcheck else 600)
            out.seek(0)
            err.seek(0)
            if self.memcheck:
                self.check_memcheck(args, log.read())
            return done.returncode, out.read(), err.read()

    def check_memcheck(self, args, report):
        self.memcheck_runs += 1
        clean = ("ERROR SUMMARY: 0 errors" in report and
                 "All heap blocks were freed -- no leaks are possible" in report)
        if not clean:
            self.memcheck_faults.append((" ".join(args), report))

    def full_path(self, folder, name):
        """The absolute path the program's fullPathName gives for name in folder."""
        path = os.path.join(os.path.realpath(folder), name)
        return "Z:" + path.replace("/", "\\") if self.wine else path


# memcheck with every leak kind counted as an error: a run is clean only with 0 errors and every
# heap block freed at exit.
MEMCHECK = ["valgrind", "--tool=memcheck", "--leak-check=full", "--show-leak-kinds=all",
            "--errors-for-leak-kinds=all", "--track-origins=yes", "--num-callers=30"]


class Results:
    def __init__(self):
        self.failures = []
        self.count = 0

    def check(self, name, condition, detail=""):
        self.count += 1
        if not condition:
            self.failures.append("%s%s" % (name, ": " + detail if detail else ""))

    def equal(self, name, actual, expected):
        self.check(name, actual == expected, "got %r, expected %r" % (actual, expected))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def write(path, data):
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(path, "wb") as f:
        f.write(data)


def golden_sheets():
    sheets = sorted(os.path.join(SHEETS, n) for n in os.listdir(SHEETS) if n.endswith(".toml"))
    return sheets + [EXAMPLE_SHEET]


def sheet_name(path):
    return os.path.splitext(os.path.basename(path))[0]


def render_args(template, templates_dir, archive):
    if template == ARCHIVE_TEMPLATE:
        return ["--archive", archive]
    return ["--template", os.path.join(templates_dir, template + ".ntf")]


def suite_golden(quenby, results, work, options):
    """Every golden sheet through every shipped template, compared byte for byte."""
    templates = [ARCHIVE_TEMPLATE] + LOOSE_TEMPLATES
    for template in templates:
        for sheet in golden_sheets():
            name = "golden %s/%s" % (template, sheet_name(sheet))
            expected_path = os.path.join(GOLDEN, template, sheet_name(sheet) + ".nfo")
            code, out, err = quenby.run(
                ["render"] + render_args(template, options.templates, options.archive) + [sheet],
                work)
            results.equal(name + " exit code", (code, err), (0, b""))
            if options.regenerate:
                os.makedirs(os.path.dirname(expected_path), exist_ok=True)
                write(expected_path, out)
                continue
            if not os.path.exists(expected_path):
                results.check(name, False, "no golden file " + expected_path)
                continue
            expected = read(expected_path)
            results.check(name, out == expected, "output differs from " + expected_path)
            # The same NFO for a terminal: CP437 decoded, line ends unchanged.
            code, out, err = quenby.run(
                ["render", "--utf8"] + render_args(template, options.templates, options.archive)
                + [sheet], work)
            results.equal(name + " --utf8", (code, out, err),
                          (0, expected.decode("cp437").encode("utf-8"), b""))
    if options.regenerate:
        return

    # Shape of every golden NFO: CR LF after every line, at most 79 characters per line.
    for template in templates:
        for sheet in golden_sheets():
            path = os.path.join(GOLDEN, template, sheet_name(sheet) + ".nfo")
            if not os.path.exists(path):
                continue
            data = read(path)
            lines = data.split(b"\r\n")
            results.check("golden shape " + path, data.endswith(b"\r\n") and b"\n" not in
                          b"".join(lines) and b"\r" not in b"".join(lines) and
                          all(len(line) <= 79 for line in lines), "bad line ends or widths")

    # The archive's default template is templates/Default.ntf.
    sheet = EXAMPLE_SHEET
    expected = read(os.path.join(GOLDEN, ARCHIVE_TEMPLATE, "release.nfo"))
    code, out, err = quenby.run(
        ["render", "--template", os.path.join(options.templates, "Default.ntf"), sheet], work)
    results.equal("Default.ntf as a loose template", (code, out, err), (0, expected, b""))

    # Standard input, and an output file written whole (replacing what was there).
    code, out, err = quenby.run(["render", "--archive", options.archive, "-"], work,
                                stdin=read(sheet))
    results.equal("sheet from standard input", (code, out, err), (0, expected, b""))
    write(os.path.join(work, "out.nfo"), b"an older, longer file that must be replaced whole" * 200)
    code, out, err = quenby.run(["render", "--archive", options.archive, "-o", "out.nfo", sheet],
                                work)
    results.equal("render -o", (code, out, err), (0, b"", b""))
    results.equal("render -o file", read(os.path.join(work, "out.nfo")), expected)
    leftovers = [n for n in os.listdir(work) if n not in ("out.nfo",)]
    results.equal("render -o leaves no temporary file", leftovers, [])
    os.remove(os.path.join(work, "out.nfo"))

    # Without --archive: Quenby.jam beside the program, else in the current folder.
    code, out, err = quenby.run(["render", sheet], work)
    results.equal("archive beside the program", (code, out, err), (0, expected, b""))
    lonely = os.path.join(work, "lonely")
    os.makedirs(lonely)
    copy = os.path.join(lonely, os.path.basename(quenby.program))
    shutil.copy(quenby.program, copy)
    code, out, err = quenby.run(["render", sheet], lonely, program=copy)
    results.equal("no archive anywhere", (code, out),
                  (2, b""))
    results.equal("no archive anywhere message", err.decode(),
                  "File not found:\n%s\n" % quenby.full_path(lonely, "Quenby.jam"))
    shutil.copy(options.archive, os.path.join(lonely, "Quenby.jam"))
    code, out, err = quenby.run(["render", sheet], lonely, program=copy)
    results.equal("archive in the current folder", (code, out, err), (0, expected, b""))
    shutil.rmtree(lonely)


# Sheets that must be refused: the sheet's text and the exact message on standard error.
SHEET_ERRORS = [
    ("unknown key at the top", 'title = "x"\n', "s.toml:1: title: unknown key"),
    ("unknown table", '[general]\ntitle = "x"\n[extras]\na = 1\n', "s.toml:3: extras: unknown table"),
    ("unknown key in a table", '[upload]\nsupport_files = ["SFV"]\n',
     "s.toml:2: upload.support_files: unknown key"),
    ("table of the wrong type", 'general = "x"\n',
     "s.toml:1: general: expected a table, found a string"),
    ("text as an integer", "[general]\ntitle = 2024\n",
     "s.toml:2: general.title: expected text (a string), found an integer"),
    ("text as an array", '[various]\ncomments = ["a", "b"]\n',
     "s.toml:2: various.comments: expected text (a string), found an array"),
    ("text as a date", "[upload]\nrepost = 2024-05-01\n",
     "s.toml:2: upload.repost: expected text (a string), found a date"),
    ("digits as a float", "[general]\npacked = 1.5\n",
     "s.toml:2: general.packed: expected digits (a string or a non-negative integer), found a float"),
    ("digits as a boolean", "[upload]\nfiles = true\n",
     "s.toml:2: upload.files: expected digits (a string or a non-negative integer), found true"),
    ("digits with a letter", '[general]\nunpacked = "12a"\n',
     's.toml:2: general.unpacked: only the digits 0-9 are allowed, found "12a"'),
    ("digits with a space", '[upload]\nper_day = " 3"\n',
     's.toml:2: upload.per_day: only the digits 0-9 are allowed, found " 3"'),
    ("negative digits", "[general]\npacked = -5\n",
     "s.toml:2: general.packed: only the digits 0-9 are allowed, found -5"),
    ("unit in the wrong case", '[general]\nunit = "kb"\n',
     's.toml:2: general.unit: expected "Kb" or "Mb", found "kb"'),
    ("unit as an integer", "[general]\nunit = 1\n",
     's.toml:2: general.unit: expected "Kb" or "Mb", found an integer'),
    ("crack word", '[general]\ncrack = "yes"\n',
     's.toml:2: general.crack: expected "already" or "included", found "yes"'),
    ("post number true", "[upload]\npost_number = true\n",
     "s.toml:2: upload.post_number: expected digits (a string or a non-negative integer) or false,"
     " found true"),
    ("post number as a float", "[upload]\npost_number = 2.0\n",
     "s.toml:2: upload.post_number: expected digits (a string or a non-negative integer) or false,"
     " found a float"),
    ("post number with letters", '[upload]\npost_number = "two"\n',
     's.toml:2: upload.post_number: only the digits 0-9 are allowed, found "two"'),
    ("support of the wrong type", "[upload]\nsupport = 3\n",
     's.toml:2: upload.support: expected an array of "SFV", "CUE" and "Manual", or a custom text'
     " (a string), found an integer"),
    ("support with an unknown preset", '[upload]\nsupport = ["SFV", "NFO"]\n',
     's.toml:2: upload.support: expected "SFV", "CUE" or "Manual" in the array, found "NFO"'),
    ("support with a number", '[upload]\nsupport = ["SFV", 1]\n',
     's.toml:2: upload.support: expected "SFV", "CUE" or "Manual" in the array, found an integer'),
    ("fill wait as a string", '[upload]\nfill_wait = "yes"\n',
     "s.toml:2: upload.fill_wait: expected true or false, found a string"),
    ("line break in single-line text", '[general]\ntitle = """\nTwo\nlines"""\n',
     "s.toml:2: general.title: a line break is not allowed in single-line text"),
    ("final line break in single-line text", '[general]\nuploader = "Bob\\n"\n',
     "s.toml:2: general.uploader: a line break is not allowed in single-line text"),
    ("lone CR in multi-line text", '[various]\ninstall = "a\\rb"\n',
     "s.toml:2: various.install: a CR (U+000D) is allowed only before an LF, as a line break"),
    ("lone CR in single-line text", '[general]\nserial = "a\\r"\n',
     "s.toml:2: general.serial: a CR (U+000D) is allowed only before an LF, as a line break"),
    ("TAB in single-line text", '[general]\nsoftware = "a\\tb"\n',
     "s.toml:2: general.software: control character U+0009 is not allowed"),
    ("TAB in multi-line text", "[various]\nthanks = '''\nto\tyou\n'''\n",
     "s.toml:2: various.thanks: control character U+0009 is not allowed"),
    ("control character", '[upload]\nuploaded_as = "a\\u0001b"\n',
     "s.toml:2: upload.uploaded_as: control character U+0001 is not allowed"),
    ("DEL", '[general]\nkeygen_by = "a\\u007Fb"\n',
     "s.toml:2: general.keygen_by: control character U+007F is not allowed"),
    ("character without a CP437 form", '[general]\ncracked_by = "5 €"\n',
     's.toml:2: general.cracked_by: character "€" (U+20AC) has no CP437 form'),
    ("C1 control character", '[general]\nregistered_to = "a\\u0085"\n',
     's.toml:2: general.registered_to: character "\u0085" (U+0085) has no CP437 form'),
    ("smiley pictograph", '[various]\ncomments = "Enjoy ☺"\n',
     's.toml:2: various.comments: character "☺" (U+263A) stands for a CP437 control byte and is not'
     " allowed"),
    ("note pictograph", '[upload]\nnewsgroups = "alt.music ♪"\n',
     's.toml:2: upload.newsgroups: character "♪" (U+266A) stands for a CP437 control byte and is not'
     " allowed"),
    ("pilcrow", '[general]\ntitle = "¶ 1"\n',
     's.toml:2: general.title: character "¶" (U+00B6) stands for a CP437 control byte and is not'
     " allowed"),
    ("house", '[general]\ntitle = "⌂"\n',
     's.toml:2: general.title: character "⌂" (U+2302) stands for a CP437 control byte and is not'
     " allowed"),
    ("custom support text", '[upload]\nsupport = "a ♥ b"\n',
     's.toml:2: upload.support: character "♥" (U+2665) stands for a CP437 control byte and is not'
     " allowed"),
    ("syntax error", '[general]\ntitle = "unterminated\n',
     "s.toml:2:22: Error while parsing string: unescaped control characters other than TAB (U+0009)"
     " are explicitly prohibited"),
    # Letters where whitespace may stand: the parser's whitespace test must answer for them.
    ("letter after a value", '[general]\ntitle = "a" \u00e9\n',
     "s.toml:2:13: Error while parsing key-value pair: expected a comment or whitespace, saw '\u00e9'"),
    ("letter before a key", '[general]\n\u0416 = 1\n',
     "s.toml:2:1: Error while parsing root table: expected keys, tables, whitespace or comments,"
     " saw '\u0416'"),
    ("duplicate key", '[general]\ntitle = "a"\ntitle = "b"\n',
     "s.toml:3:9: Error while parsing key-value pair: cannot redefine existing string 'title'"),
    ("every problem, in line order", '[upload]\nfiles = "x"\nbogus = 1\n[general]\ntitle = 1\n',
     's.toml:2: upload.files: only the digits 0-9 are allowed, found "x"\n'
     "s.toml:3: upload.bogus: unknown key\n"
     "s.toml:5: general.title: expected text (a string), found an integer"),
]


def suite_sheets(quenby, results, work, options):
    """Every sheet error: exit 2, the exact message, nothing on standard output, OUT untouched."""
    archive = ["--archive", options.archive]
    old = b"previous contents"
    for name, text, message in SHEET_ERRORS:
        write(os.path.join(work, "s.toml"), text)
        write(os.path.join(work, "out.nfo"), old)
        code, out, err = quenby.run(["render"] + archive + ["-o", "out.nfo", "s.toml"], work)
        results.equal("sheet error: " + name, (code, out, err.decode("utf-8", "replace")),
                      (2, b"", message + "\n"))
        results.equal("sheet error leaves OUT: " + name, read(os.path.join(work, "out.nfo")), old)
        code, out, err = quenby.run(["render"] + archive + ["s.toml"], work)
        results.equal("sheet error, standard output: " + name, (code, out), (2, b""))

    # Sheet text that is not UTF-8 is a syntax error.
    write(os.path.join(work, "s.toml"), b'[general]\ntitle = "caf\xe9"\n')
    code, out, err = quenby.run(["render"] + archive + ["s.toml"], work)
    results.equal("sheet not in UTF-8", (code, out, err.startswith(b"s.toml:2:")), (2, b"", True))

    # A sheet read from standard input is named <stdin> in messages.
    code, out, err = quenby.run(["render"] + archive + ["-"], work, stdin=b"[general]\ntitle = 1\n")
    results.equal("sheet error from standard input", (code, out, err.decode()),
                  (2, b"", "<stdin>:2: general.title: expected text (a string), found an integer\n"))

    # Every character of CP437's upper half goes in as UTF-8 and comes out as its byte, and back.
    high = bytes(range(0x80, 0x100))
    write(os.path.join(work, "remarks.ntf"), b"#REMARKS 1 0 0\r\nx\r\n")
    rows = [high[i:i + 32] for i in range(0, len(high), 32)]
    sheet = "[various]\ncomments = '''\n%s\n'''\n" % "\n".join(r.decode("cp437") for r in rows)
    write(os.path.join(work, "s.toml"), sheet)
    code, out, err = quenby.run(["render", "--template", "remarks.ntf", "s.toml"], work)
    results.equal("CP437 upper half", (code, out, err), (0, b"\r\n".join(rows) + b"\r\n", b""))
    code, out, err = quenby.run(["render", "--utf8", "--template", "remarks.ntf", "s.toml"], work)
    results.equal("CP437 upper half --utf8", (code, out.decode(), err),
                  (0, "\r\n".join(r.decode("cp437") for r in rows) + "\r\n", b""))

    # Control bytes in a template show as their pictographs with --utf8; TAB and line ends stay.
    controls = bytes(b for b in range(1, 0x20) if b not in (0x0A, 0x0D)) + b"\x7f"
    write(os.path.join(work, "controls.ntf"), controls + b"\r\n")
    code, out, err = quenby.run(["render", "--utf8", "--template", "controls.ntf", "-"], work)
    results.equal("control bytes --utf8", (code, out.decode(), err),
                  (0, "".join(PICTOGRAPHS[b] if b != 9 else "\t" for b in controls) + "\r\n", b""))

    # Each of those pictographs is refused in sheet text, whichever box it is meant for.
    text_keys = [("general", k) for k in ("title", "uploader", "software", "serial",
                                          "registered_to", "cracked_by", "keygen_by")] + \
        [("upload", k) for k in ("uploaded_as", "repost", "newsgroups", "support")] + \
        [("various", k) for k in ("install", "comments", "thanks")]
    pictographs = [PICTOGRAPHS[b] for b in controls]
    while pictographs:
        batch, pictographs = pictographs[:len(text_keys)], pictographs[len(text_keys):]
        lines, expected = [], []
        for (table, key), character in zip(text_keys, batch):
            lines.append('%s.%s = "a%sb"' % (table, key, character))
            line = len(lines)
            expected.append('s.toml:%d: %s.%s: character "%s" (U+%04X) stands for a CP437 control'
                            " byte and is not allowed" % (line, table, key, character,
                                                          ord(character)))
        write(os.path.join(work, "s.toml"), "\n".join(lines) + "\n")
        code, out, err = quenby.run(["render"] + archive + ["s.toml"], work)
        results.equal("pictographs refused: " + "".join(batch), (code, out, err.decode()),
                      (2, b"", "\n".join(expected) + "\n"))

    # Files that cannot be read: the loaders' own messages.
    write(os.path.join(work, "ok.toml"), "")
    cases = [
        ("missing sheet", archive + ["nosuch.toml"], "Failed to open file: nosuch.toml"),
        ("missing template", ["--template", "nosuch.ntf", "ok.toml"],
         "Failed to open file: nosuch.ntf"),
        ("empty template", ["--template", "empty.ntf", "ok.toml"], "File is empty: empty.ntf"),
        ("template in a folder, named by its base name",
         ["--template", os.path.join("sub", "gone.ntf"), "ok.toml"],
         "Failed to open file: gone.ntf"),
        ("folder as template", ["--template", "folder.ntf", "ok.toml"],
         "Failed to open file: folder.ntf"),
        ("missing archive", ["--archive", "nosuch.jam", "ok.toml"],
         "File not found:\n" + quenby.full_path(work, "nosuch.jam")),
        ("damaged archive", ["--archive", "damaged.jam", "ok.toml"],
         "Archive is corrupt:\n" + quenby.full_path(work, "damaged.jam")),
        ("archive without a default template", ["--archive", "other.jam", "ok.toml"],
         "Quenby.jam is corrupt!"),
        ("output folder missing", archive + ["-o", os.path.join("nowhere", "out.nfo"), "ok.toml"],
         "Failed to open file: " + os.path.join("nowhere", "out.nfo")),
    ]
    write(os.path.join(work, "empty.ntf"), b"")
    os.makedirs(os.path.join(work, "sub"), exist_ok=True)
    os.makedirs(os.path.join(work, "folder.ntf"), exist_ok=True)
    damaged = bytearray(read(options.archive))
    damaged[-1] ^= 0x01
    write(os.path.join(work, "damaged.jam"), bytes(damaged))
    write(os.path.join(work, "Other.ntf"), b"x\r\n")
    code, out, err = quenby.run(["jam", "pack", "other.jam", "Other.ntf"], work)
    results.equal("pack an archive without Default.ntf", (code, err), (0, b""))
    for name, args, message in cases:
        code, out, err = quenby.run(["render"] + args, work)
        results.equal(name, (code, out, err.decode()), (2, b"", message + "\n"))

    # A failed generation: the framed report on standard error, exit 1, nothing written.
    write(os.path.join(work, "narrow.ntf"), "#COMMENT a field at column 70\r\n#TITLE 1 0 70\r\n"
          "Title:\r\n")
    write(os.path.join(work, "s.toml"), '[general]\ntitle = "Ten chars!"\n')
    write(os.path.join(work, "out.nfo"), old)
    code, out, err = quenby.run(["render", "--template", "narrow.ntf", "-o", "out.nfo", "s.toml"],
                                work)
    report = REPORT_FORMAT.format(message="Inserted text is too long for line:\r\nTen chars!",
                                  template="narrow.ntf", line=3)
    results.equal("generation failure", (code, out, err.decode()), (1, b"", report))
    results.equal("generation failure leaves OUT", read(os.path.join(work, "out.nfo")), old)

    # The same with a CP437 text and --utf8: the report is converted like the NFO.
    write(os.path.join(work, "s.toml"), '[general]\ntitle = "Café ░▒▓ and more"\n')
    code, out, err = quenby.run(["render", "--utf8", "--template", "narrow.ntf", "s.toml"], work)
    report = REPORT_FORMAT.format(message="Inserted text is too long for line:\r\nCafé ░▒▓ and more",
                                  template="narrow.ntf", line=3)
    results.equal("generation failure --utf8", (code, out, err.decode()), (1, b"", report))

    # The default template's report names "<Default>" and the line of the title.
    write(os.path.join(work, "s.toml"), '[general]\ntitle = "%s"\n' % ("T" * 80))
    code, out, err = quenby.run(["render"] + archive + ["s.toml"], work)
    lines = read(os.path.join(options.templates, "Default.ntf")).split(b"\n")
    title_line = next(i for i, l in enumerate(lines, 1) if l.startswith(b"#TITLE")) + 1
    report = REPORT_FORMAT.format(message="Inserted text is longer than a line:\r\n" + "T" * 80,
                                  template="<Default>", line=title_line)
    results.equal("generation failure in <Default>", (code, out, err.decode()), (1, b"", report))

    # A 100,000-character title: the report keeps its 4095 characters and still ends with the
    # template and the line, the message cut to fit.
    write(os.path.join(work, "s.toml"), '[general]\ntitle = "%s"\n' % ("T" * 100000))
    code, out, err = quenby.run(["render"] + archive + ["s.toml"], work)
    tail = REPORT_FORMAT.format(message="", template="<Default>", line=title_line)
    message = ("Inserted text is longer than a line:\r\n" + "T" * 100000)[:4095 + 2 - len(tail)]
    report = REPORT_FORMAT.format(message=message, template="<Default>", line=title_line)
    results.equal("generation failure with a 100,000-character title",
                  (code, out, len(report), err.decode()), (1, b"", 4095 + 2, report))

    # Two directives on one line: the engine's own message with the template's base name.
    write(os.path.join(work, "sub", "twice.ntf"), "#TITLE 2 1 0\n#UPLOADBY 1 0 0\nline\n")
    code, out, err = quenby.run(["render", "--template", os.path.join("sub", "twice.ntf"),
                                 "ok.toml"], work)
    report = REPORT_FORMAT.format(
        message="Multiple directives are trying to insert text on the same line!",
        template="twice.ntf", line=3)
    results.equal("two directives on one line", (code, out, err.decode()), (1, b"", report))


# The deliberately broken template's faults, as quenby check reports them.
BROKEN_PROBLEMS = [
    "3: Inserted text is too long for line: Long sample text filling a form box wide"
    " (every box ticked)",
    "4: Second parameter must be smaller than the first in directive: TITLE",
    "5: Third parameter must be between -1 and 78 in directive: UPLOADBY",
    "6: Found only 2 parameters (expected 3) in directive: SOFTWARE",
    "7: Unrecognised directive: SOFTWAR",
    "8: First parameter cannot be 0 in directive: CRACKBY",
    "9: Second parameter cannot be negative in directive: KEYGENBY",
    "10: Parameter 1 is invalid in directive: REGDTO",
    "11: Cannot have more than 8 lines in an INSERTLINE directive!",
    "14: Directive found in INSERTLINE section!",
    "15: A directive's line of insertion was removed by another directive!",
    "21: Multiple directives are trying to insert text on the same line!",
    "24: A directive's line of insertion was removed by another directive!",
    "29: Unexpected end of file",
    "31: Unexpected end of file",
    "32: Unexpected end of file",
]


def suite_check(quenby, results, work, options):
    """quenby check: seeded faults with their lines, clean templates, load failures."""
    broken = os.path.join(HERE, "broken.ntf")
    shutil.copy(broken, os.path.join(work, "broken.ntf"))
    code, out, err = quenby.run(["check", "broken.ntf"], work)
    expected = "".join("broken.ntf:%s\n" % p for p in BROKEN_PROBLEMS)
    results.equal("check broken.ntf", (code, out.decode(), err), (1, expected, b""))

    # The shipped templates are clean.
    shipped = [os.path.join(options.templates, t + ".ntf")
               for t in [ARCHIVE_TEMPLATE] + LOOSE_TEMPLATES]
    code, out, err = quenby.run(["check"] + shipped, work)
    results.equal("check shipped templates", (code, out, err), (0, b"", b""))

    # Faults that only the renderings find, with the untouched form and with every box ticked.
    write(os.path.join(work, "fill.ntf"), "#TITLE 2 1 0\n#FILLWAIT 1\nTitle\nmore\n")
    code, out, err = quenby.run(["check", "fill.ntf"], work)
    results.equal("check a target dropped with the untouched form", (code, out.decode(), err),
                  (1, "fill.ntf:4: A directive's line of insertion was removed by another"
                      " directive! (untouched form)\n", b""))
    write(os.path.join(work, "remarks.ntf"), "#REMARKS 1 0 45\nRemarks:\n")
    code, out, err = quenby.run(["check", "remarks.ntf"], work)
    results.equal("check a field too wide with every box ticked", (code, out.decode(), err),
                  (1, "remarks.ntf:2: Inserted text is too long for line: Long sample text"
                      " filling a form box wide (every box ticked)\n", b""))

    # Every file is checked; one that cannot be loaded gives the loader's message and exit 2.
    write(os.path.join(work, "empty.ntf"), b"")
    code, out, err = quenby.run(["check", "nosuch.ntf", "broken.ntf", "empty.ntf"], work)
    results.equal("check with files that cannot be loaded", (code, out.decode(), err.decode()),
                  (2, expected, "Failed to open file: nosuch.ntf\nFile is empty: empty.ntf\n"))
    code, out, err = quenby.run(["check"], work)
    results.equal("check without files", (code, out), (2, b""))


def suite_commands(quenby, results, work, options):
    """templates, jam, --version, --help and usage errors."""
    code, out, err = quenby.run(["--version"], work)
    results.equal("--version", (code, out, err), (0, b"Quenby v1.0\n", b""))
    for command in [[], ["render"], ["check"], ["templates"], ["jam"], ["jam", "list"],
                    ["jam", "extract"], ["jam", "pack"]]:
        code, out, err = quenby.run(command + ["--help"], work)
        usage = ("Usage: quenby " + " ".join(command)).strip().encode()
        results.check("--help of quenby %s" % " ".join(command),
                      code == 0 and usage in out and err == b"", repr((code, out[:200], err)))
    for name, args in [("no subcommand", []), ("unknown subcommand", ["draw"]),
                       ("render without a sheet", ["render"]),
                       ("render with two sheets", ["render", "a.toml", "b.toml"]),
                       ("--template with --archive",
                        ["render", "--template", "a.ntf", "--archive", "b.jam", "s.toml"]),
                       ("unknown option", ["render", "--colour", "s.toml"]),
                       ("jam without an action", ["jam"]),
                       ("jam extract without a name", ["jam", "extract", "a.jam"])]:
        code, out, err = quenby.run(args, work)
        results.check("usage error: " + name, code == 2 and out == b"" and
                      b"Run with --help for more information." in err, repr((code, out, err)))

    # templates: "<Default>" and the loose *.ntf of the current folder, sorted ignoring case.
    folder = os.path.join(work, "templates")
    os.makedirs(os.path.join(folder, "Folder.ntf"))
    for name in ["beta.ntf", "Alpha.NTF", "_under.ntf", ".ntf", "Default.ntf", "notes.txt"]:
        write(os.path.join(folder, name), b"x\r\n")
    code, out, err = quenby.run(["templates", "--archive", options.archive], folder)
    results.equal("templates", (code, out.decode(), err),
                  (0, "\n<Default>\n_under\nAlpha\nbeta\nDefault\n", b""))
    code, out, err = quenby.run(["templates", "--archive", "nosuch.jam"], folder)
    results.equal("templates without an archive", (code, out, err.decode()),
                  (2, b"", "File not found:\n%s\n" % quenby.full_path(folder, "nosuch.jam")))

    # jam: pack, list, extract.
    write(os.path.join(work, "one.ntf"), b"first\r\n")
    write(os.path.join(work, "two.bin"), bytes(range(256)))
    code, out, err = quenby.run(["jam", "pack", "t.jam", "Default.ntf=one.ntf", "two.bin"], work)
    results.equal("jam pack", (code, out, err), (0, b"", b""))
    code, out, err = quenby.run(["jam", "list", "t.jam"], work)
    results.equal("jam list", (code, sorted(out.decode().splitlines()), err),
                  (0, ["         7  Default.ntf", "       256  two.bin"], b""))
    code, out, err = quenby.run(["jam", "extract", "t.jam", "two.bin"], work)
    results.equal("jam extract to standard output", (code, out, err), (0, bytes(range(256)), b""))
    code, out, err = quenby.run(["jam", "extract", "t.jam", "Default.ntf", "-o", "x.ntf"], work)
    results.equal("jam extract -o", (code, out, err, read(os.path.join(work, "x.ntf"))),
                  (0, b"", b"", b"first\r\n"))
    code, out, err = quenby.run(["render", "--archive", "t.jam", "-"], work, stdin=b"")
    results.equal("a packed archive serves as Quenby.jam", (code, out, err),
                  (0, b"first\r\n", b""))
    for name, args, message in [
            ("jam extract of a missing entry", ["jam", "extract", "t.jam", "default.ntf"],
             "File not found in archive: default.ntf"),
            ("jam list of a missing archive", ["jam", "list", "nosuch.jam"],
             "File not found: " + quenby.full_path(work, "nosuch.jam")),
            ("jam pack of a missing file", ["jam", "pack", "u.jam", "nosuch.bin"],
             "cannot open nosuch.bin"),
            ("jam pack of a duplicate name", ["jam", "pack", "u.jam", "one.ntf", "one.ntf"],
             "duplicate entry name: one.ntf"),
            ("jam pack with an empty name", ["jam", "pack", "u.jam", "=one.ntf"],
             "expected NAME=FILE, got =one.ntf")]:
        code, out, err = quenby.run(args, work)
        results.equal(name, (code, out, err.decode()), (2, b"", message + "\n"))
    results.check("failed jam pack writes nothing", not os.path.exists(os.path.join(work, "u.jam")))


SUITES = {"golden": suite_golden, "sheets": suite_sheets, "check": suite_check,
          "commands": suite_commands}


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quenby", required=True, help="the program (quenby or quenby.exe)")
    parser.add_argument("--wine", action="store_true", help="run the program under Wine")
    parser.add_argument("--memcheck", action="store_true",
                        help="run every command under valgrind: no error, no leak, no block left")
    parser.add_argument("--archive", help="Quenby.jam (default: beside the program)")
    parser.add_argument("--templates", default=os.path.join(ROOT, "templates"))
    parser.add_argument("--regenerate", action="store_true",
                        help="rewrite the golden files from the program's output")
    parser.add_argument("suites", nargs="*", metavar="SUITE", help=", ".join(sorted(SUITES)))
    options = parser.parse_args()
    unknown = [s for s in options.suites if s not in SUITES]
    if unknown:
        parser.error("unknown suite: " + ", ".join(unknown))
    options.archive = os.path.abspath(
        options.archive or os.path.join(os.path.dirname(options.quenby), "Quenby.jam"))
    options.templates = os.path.abspath(options.templates)
    suites = ["golden"] if options.regenerate else (options.suites or sorted(SUITES))

    quenby = Quenby(options.quenby, options.wine, options.memcheck)
    results = Results()
    for suite in suites:
        work = tempfile.mkdtemp(prefix="quenby-cli-%s-" % suite)
        try:
            SUITES[suite](quenby, results, work, options)
        finally:
            shutil.rmtree(work, ignore_errors=True)
    if options.memcheck:
        for args, report in quenby.memcheck_faults:
            results.check("memcheck: quenby " + args, False, "\n" + report)
        print("memcheck: %d of %d runs with 0 errors and every block freed"
              % (quenby.memcheck_runs - len(quenby.memcheck_faults), quenby.memcheck_runs))
    for failure in results.failures:
        print("FAIL " + failure)
    print("%d of %d checks passed (%s)" % (results.count - len(results.failures), results.count,
                                           ", ".join(suites)))
    if options.regenerate:
        print("golden files rewritten in " + GOLDEN + ": inspect them before committing")
    return 1 if results.failures else 0


if __name__ == "__main__":
    sys.exit(main())
