#!/usr/bin/python3
"""Writes the templates that ship with Quenby: Default.ntf, Compact.ntf, Wide.ntf and FileId.ntf.

The templates are single-byte CP437 text (box drawing and shade characters), so they are written
from here rather than edited by hand. The art below is written in Unicode and encoded to CP437 on
output; every line ends with CR LF.

Field directives are built with field(): it counts the lines a directive governs (P1) and finds
the line that receives the text (P2), so that moving art around never breaks a directive.

Run from anywhere:  /usr/bin/python3 templates/make_templates.py [--check]
(--check: fail if a committed template is not what this script writes; a test runs it.)
"""

import os
import sys

WIDTH = 79  # an NFO line holds at most 79 characters


class At(str):
    """Marks the template line that receives a field's text."""


def field(keyword, column, *items):
    """A field directive followed by the lines it governs.

    items are template lines (str), one of them wrapped in At() as the target, or nested blocks
    (lists) returned by field(), fillwait() or insertline(). When the directive's check box is
    off, all of these lines vanish from the output; when it is on, the text lands on the At() line.
    """
    body = []
    target = None
    for item in items:
        if isinstance(item, list):
            body.extend(flatten(item))
            continue
        if isinstance(item, At):
            assert target is None, keyword + ": two target lines"
            target = len(body)
        body.append(str(item))
    assert target is not None, keyword + ": no target line"
    assert not body[target].startswith("#"), keyword + ": target is a directive line"
    return ["#%s %d %d %d" % (keyword, len(body), target, column)] + body


def fillwait(*lines):
    """Lines shown only when fill requests should wait until after the repost."""
    return ["#FILLWAIT %d" % len(lines)] + list(lines)


def insertline(*lines):
    """Backgrounds for the continuation lines of multi-line fields (at most 8, used in turn)."""
    assert 1 <= len(lines) <= 8
    return ["#INSERTLINE %d" % len(lines)] + list(lines)


def comment(text):
    return ["#COMMENT " + text]


def flatten(items):
    lines = []
    for item in items:
        if isinstance(item, list):
            lines.extend(flatten(item))
        else:
            lines.append(str(item))
    return lines


# The sheet keys of the boxes whose text a field directive prints, and how the field's text is made
# of them: "text" the box's text, "lines" a line of a multi-line box.
FIELD_KEYS = [
    ("TITLE", "title", "text"), ("UPLOADBY", "uploader", "text"),
    ("SOFTWARE", "software", "text"), ("SERIALNUM", "serial", "text"),
    ("REGDTO", "registered_to", "text"), ("CRACKBY", "cracked_by", "text"),
    ("KEYGENBY", "keygen_by", "text"), ("UPLOADEDAS", "uploaded_as", "text"),
    ("FULLREPOST", "repost", "text"), ("SUPPORT", "support", "text"),
    ("POSTEDTO", "newsgroups", "lines"), ("INSTALLINF", "install", "lines"),
    ("REMARKS", "comments", "lines"), ("THANKSTO", "thanks", "lines"),
]
MULTI_LINE = {keyword for keyword, _, kind in FIELD_KEYS if kind == "lines"}
SIZES_TEXT = len("Mb (unpacked Mb)")  # PACKAGESIZE around its two numbers
POST_TEXT = len(" files,  per day, post ")  # POSTINFO around its three numbers
PROTECTION = "Serial number, crack (already cracked), keygen"  # SECURITYINF at its longest
ALL_FIELDS = [k for k, _, _ in FIELD_KEYS] + ["PACKAGESIZE", "POSTINFO", "SECURITYINF"]


def blank_run(line, start, count, width):
    """True when columns start to start + count - 1 of the line are spaces within width."""
    return start >= 0 and start + count <= width and line.ljust(width)[start:start + count].strip() == ""


def room(line, column, width):
    """How many characters a field's text may have on line, at column (-1: centred on 79), before
    it would cover art or pass the template's width."""
    if column < 0:
        return next(n for n in range(width, -1, -1) if blank_run(line, (WIDTH - n) // 2, n, width))
    n = 0
    while blank_run(line, column, n + 1, width):
        n += 1
    return n


def rooms(lines, width):
    """Each field's room: on its target line, and for a multi-line field also on every background
    line of the INSERTLINE block in force there (an empty background without one)."""
    found, block = {}, None
    for number, line in enumerate(lines):
        words = line[1:].split(" ")
        if words[0] == "INSERTLINE":
            block = lines[number + 1:number + 1 + int(words[1])]
        if not line.startswith("#") or len(words) != 4:
            continue
        keyword, column = words[0], int(words[3])
        target = lines[number + 1 + int(words[2])]
        backgrounds = [target] + ((block or [""]) if keyword in MULTI_LINE else [])
        assert keyword not in found, keyword + " placed twice"
        found[keyword] = min(room(b, column, width) for b in backgrounds)
    return found


def room_comments(room_of):
    """The COMMENT lines that say how long each field's text may be."""
    texts = ["%s %d" % (key, room_of[k]) for k, key, kind in FIELD_KEYS if kind == "text" and k in room_of]
    lines = ["%s %d a line" % (key, room_of[k]) for k, key, kind in FIELD_KEYS if kind == "lines" and k in room_of]
    said = ["Longest texts that keep the layout whole, in characters:"]
    for group in (texts, lines):
        row = ""
        for item in group:
            if row and len(row) + len(item) > 56:
                said.append(row + ",")
                row = ""
            row += (", " if row else "  ") + item
        if row:
            said.append(row + ";")
    if "PACKAGESIZE" in room_of:
        said.append("  packed and unpacked together %d digits (sizes %d in all);"
                    % (room_of["PACKAGESIZE"] - SIZES_TEXT, room_of["PACKAGESIZE"]))
    if "POSTINFO" in room_of:
        said.append("  files, per_day and post_number together %d digits (post info %d);"
                    % (room_of["POSTINFO"] - POST_TEXT, room_of["POSTINFO"]))
    if "SECURITYINF" in room_of:
        fits = room_of["SECURITYINF"] >= len(PROTECTION)
        said.append("  the protection line takes %d%s." % (room_of["SECURITYINF"], "" if fits else
                    "; with every box ticked and"))
        if not fits:
            said.append("  Already Cracked it has %d and runs past." % len(PROTECTION))
    said[-1] = said[-1][:-1] + "."
    return [comment(line) for line in said]


def filler(label, count, end="|"):
    """A text of exactly count characters that shows where it ends."""
    text = (label + " " + str(count) + " ").ljust(count - 1, ".") + end
    assert len(text) == count, label
    return text


def longest_sheet(name, room_of):
    """A release sheet that fills every box the template prints with its longest text."""
    general, upload, various = [], [], []
    table = {"title": general, "uploader": general, "software": general, "serial": general,
             "registered_to": general, "cracked_by": general, "keygen_by": general,
             "uploaded_as": upload, "repost": upload, "support": upload, "newsgroups": upload,
             "install": various, "comments": various, "thanks": various}
    for keyword, key, kind in FIELD_KEYS:
        if keyword not in room_of:
            continue
        if kind == "text":
            table[key].append('%s = "%s"' % (key, filler(key.replace("_", " "), room_of[keyword])))
        else:
            rows = [filler("%s line %d of 3," % (key, n), room_of[keyword]).lower() for n in (1, 2, 3)]
            table[key].append('%s = """\n%s"""' % (key, "\n".join(rows)))
    if "PACKAGESIZE" in room_of:
        digits = room_of["PACKAGESIZE"] - SIZES_TEXT
        general += ['packed = "%s"' % ("9" * (digits - digits // 2)), 'unit = "Mb"',
                    'unpacked = "%s"' % ("8" * (digits // 2))]
    if "POSTINFO" in room_of:
        digits = room_of["POSTINFO"] - POST_TEXT
        parts = [digits // 3 + (1 if n < digits % 3 else 0) for n in range(3)]
        upload += ['files = "%s"' % ("1" * parts[0]), 'per_day = "%s"' % ("2" * parts[1]),
                   'post_number = "%s"' % ("3" * parts[2])]
    if "SECURITYINF" in room_of:
        fits = room_of["SECURITYINF"] >= len(PROTECTION)
        general.append('crack = "%s"' % ("already" if fits else "included"))
    upload.append("fill_wait = true")
    text = "# Every box %s.ntf prints, at the longest its layout takes (made by\n" % name
    text += "# templates/make_templates.py from the template's own measures).\n"
    for table_name, rows in (("general", general), ("upload", upload), ("various", various)):
        text += "\n[%s]\n" % table_name + "".join(row + "\n" for row in rows)
    return text


def save(path, data):
    if "--check" in sys.argv:  # the committed file must be exactly what this script writes
        with open(path, "rb") as committed:
            if committed.read() != data:
                sys.exit("%s differs from what make_templates.py writes" % path)
        return
    with open(path, "wb") as out:
        out.write(data)


def write(name, items, width=WIDTH):
    """Writes NAME.ntf: its opening comments, the room of each field in comments, then the rest;
    and beside the command line's tests, the sheet of its longest texts."""
    body = flatten(items)
    room_of = rooms(body, width)
    opening = next(n for n, line in enumerate(body) if not line.startswith("#COMMENT"))
    lines = body[:opening] + flatten(room_comments(room_of)) + body[opening:]
    data = bytearray()
    for number, line in enumerate(lines, 1):
        encoded = line.encode("cp437")
        if len(encoded) > WIDTH:
            sys.exit("%s:%d: line is %d characters wide" % (name, number, len(encoded)))
        data += encoded + b"\r\n"
    here = os.path.dirname(os.path.abspath(__file__))
    save(os.path.join(here, name), bytes(data))
    stem = name[:-len(".ntf")]
    save(os.path.join(here, "..", "tests", "cli", "longest", stem + ".toml"),
         longest_sheet(stem, room_of).encode("utf-8"))


# ---------------------------------------------------------------------------------------------
# Block letters shared by the framed templates: three rows of half and full blocks.

LETTERS = {
    "A": ["█▀▀█", "█▄▄█", "▀  ▀"],
    "E": ["█▀▀▀", "█▀▀ ", "▀▀▀▀"],
    "F": ["█▀▀▀", "█▀▀ ", "▀   "],
    "I": ["█", "█", "▀"],
    "L": ["█   ", "█   ", "▀▀▀▀"],
    "N": ["█▀▀▄", "█  █", "▀  ▀"],
    "O": ["█▀▀█", "█  █", "▀▀▀▀"],
    "R": ["█▀▀█", "█▄▄▀", "▀  ▀"],
    "S": ["█▀▀▀", "▀▀▀█", "▀▀▀▀"],
    " ": [" ", " ", " "],
}


def block_word(word):
    return [" ".join(LETTERS[c][row] for c in word) for row in range(3)]


# ---------------------------------------------------------------------------------------------
# Default.ntf: a double-line frame with a block-letter banner and shaded section rules.

INNER = WIDTH - 2  # columns 1 to 77 lie inside the frame
KEY_COLUMN = 26  # where the values of the "label .... : value" rows start
TEXT_COLUMN = 5  # where the lines of the free-text sections start


def row(text=""):
    assert len(text) <= INNER, text
    return "║" + text.ljust(INNER) + "║"


def centred_row(text):
    pad = (INNER - len(text)) // 2
    return row(" " * pad + text)


def key_row(label):
    """A row with a dotted label that ends in ": " at KEY_COLUMN."""
    text = "    " + label + " "
    text = text + "." * (KEY_COLUMN - 4 - len(text)) + " : "
    assert len(text) == KEY_COLUMN - 1
    return row(text)


def section(title):
    """A rule across the frame carrying a section name between shades."""
    middle = "─── ░▒▓█ " + title + " █▓▒░ "
    return "╟" + middle + "─" * (INNER - len(middle)) + "╢"


TOP = "╔" + "═" * INNER + "╗"
SPLIT = "╠" + "═" * INNER + "╣"
BOTTOM = "╚" + "═" * INNER + "╝"
SHADE_ROW = row("░▒▓" + " " * (INNER - 6) + "▓▒░")


def default_template():
    banner = block_word("RELEASE INFO")
    return [
        comment("Quenby default template: 79 columns, CP437 art, lines ending in CR LF."),
        comment("Each optional section lies within the lines its directive governs,"),
        comment("so it vanishes with its check box. Continuation lines of multi-line"),
        comment("fields lie over the INSERTLINE row below, inside the frame."),
        insertline(row()),
        "  ░░▒▒▓▓██" + "▀" * 59 + "██▓▓▒▒░░",
        TOP,
        row(),
        [row("   ░░▒▒▓▓   " + line + "   ▓▓▒▒░░   ") for line in banner],
        row(),
        SPLIT,
        SHADE_ROW,
        field("TITLE", -1, At(row())),
        SHADE_ROW,
        SPLIT,
        row(),
        section("RELEASE"),
        row(),
        field("SOFTWARE", KEY_COLUMN, At(key_row("Software"))),
        field("UPLOADBY", KEY_COLUMN, At(key_row("Uploaded by"))),
        field("PACKAGESIZE", KEY_COLUMN, At(key_row("Package size"))),
        field("UPLOADEDAS", KEY_COLUMN, At(key_row("Uploaded as"))),
        field("SUPPORT", KEY_COLUMN, At(key_row("Support files"))),
        field("POSTINFO", KEY_COLUMN, At(key_row("Post info"))),
        field("POSTEDTO", KEY_COLUMN, At(key_row("Posted to"))),
        field("FULLREPOST", KEY_COLUMN, At(key_row("Full repost"))),
        row(),
        field(
            "SECURITYINF",
            KEY_COLUMN,
            section("PROTECTION"),
            row(),
            At(key_row("Workaround")),
            field("SERIALNUM", KEY_COLUMN, At(key_row("Serial number"))),
            field("REGDTO", KEY_COLUMN, At(key_row("Registered to"))),
            field("CRACKBY", KEY_COLUMN, At(key_row("Cracked by"))),
            field("KEYGENBY", KEY_COLUMN, At(key_row("Keygen by"))),
            row(),
        ),
        field("INSTALLINF", TEXT_COLUMN, section("INSTALLATION"), row(), At(row()), row()),
        field("REMARKS", TEXT_COLUMN, section("COMMENTS"), row(), At(row()), row()),
        field("THANKSTO", TEXT_COLUMN, section("THANKS"), row(), At(row()), row()),
        fillwait(
            section("REQUESTS"),
            row(),
            centred_row("Please hold back your fill requests until after the full repost."),
            row(),
        ),
        SPLIT,
        SHADE_ROW,
        centred_row("nfo made with Quenby"),
        SHADE_ROW,
        BOTTOM,
        "  ░░▒▒▓▓██" + "▄" * 59 + "██▓▓▒▒░░",
    ]


# ---------------------------------------------------------------------------------------------
# Compact.ntf: plain ASCII, no frame, one line per field.

def compact_rule(title=""):
    if not title:
        return "-" * WIDTH
    return "-- " + title + " " + "-" * (WIDTH - 4 - len(title))


COMPACT_COLUMN = 18


def compact_key(label):
    return " " + label.ljust(COMPACT_COLUMN - 4) + " : "


def compact_template():
    return [
        comment("Quenby compact template: plain ASCII, no frame, one line per field."),
        "=" * WIDTH,
        field("TITLE", -1, At("")),
        "=" * WIDTH,
        field("SOFTWARE", COMPACT_COLUMN, At(compact_key("Software"))),
        field("UPLOADBY", COMPACT_COLUMN, At(compact_key("Uploader"))),
        field("PACKAGESIZE", COMPACT_COLUMN, At(compact_key("Size"))),
        field("UPLOADEDAS", COMPACT_COLUMN, At(compact_key("Format"))),
        field("SUPPORT", COMPACT_COLUMN, At(compact_key("Support"))),
        field("POSTINFO", COMPACT_COLUMN, At(compact_key("Post info"))),
        field("FULLREPOST", COMPACT_COLUMN, At(compact_key("Repost"))),
        field("SECURITYINF", COMPACT_COLUMN, At(compact_key("Protection"))),
        field("SERIALNUM", COMPACT_COLUMN, At(compact_key("Serial"))),
        field("REGDTO", COMPACT_COLUMN, At(compact_key("Registered to"))),
        field("CRACKBY", COMPACT_COLUMN, At(compact_key("Cracked by"))),
        field("KEYGENBY", COMPACT_COLUMN, At(compact_key("Keygen by"))),
        field("POSTEDTO", COMPACT_COLUMN, At(compact_key("Newsgroups"))),
        field("INSTALLINF", 3, compact_rule("Install"), At("")),
        field("REMARKS", 3, compact_rule("Comments"), At("")),
        field("THANKSTO", 3, compact_rule("Thanks"), At("")),
        fillwait(compact_rule(), " Please hold back fill requests until after the full repost."),
        "=" * WIDTH,
    ]


# ---------------------------------------------------------------------------------------------
# Wide.ntf: heavy block and shade art; solid walls, shaded bands between the sections.

WALL_LEFT = "█▓▒░"
WALL_RIGHT = "░▒▓█"
WIDE_INNER = WIDTH - len(WALL_LEFT) - len(WALL_RIGHT)  # columns 4 to 74
WIDE_KEY_COLUMN = 25
WIDE_TEXT_COLUMN = 7


def wall(text=""):
    assert len(text) <= WIDE_INNER, text
    return WALL_LEFT + text.ljust(WIDE_INNER) + WALL_RIGHT


def wall_centred(text):
    return wall(" " * ((WIDE_INNER - len(text)) // 2) + text)


def wide_key(label):
    text = "   ■ " + label.upper()
    text = text.ljust(WIDE_KEY_COLUMN - len(WALL_LEFT) - 3) + " ▐ "
    assert len(WALL_LEFT) + len(text) == WIDE_KEY_COLUMN
    return wall(text)


def wide_bar():
    """The background of a field row's continuation lines: the bar without a label."""
    return wall(" " * (WIDE_KEY_COLUMN - len(WALL_LEFT) - 2) + "▐")


def band(title):
    """A solid band across the page with the section name cut out of it."""
    middle = "▓▒░ " + title + " ░▒▓"
    left = 6
    return "█" * left + middle + "█" * (WIDTH - left - len(middle))


SOLID = "█" * WIDTH
FADE_DOWN = "▓" * WIDTH
FADE_LIGHT = "▒" * WIDTH
FADE_LIGHTEST = "░" * WIDTH


def wide_template():
    banner = block_word("RELEASE INFO")
    return [
        comment("Quenby wide template: heavy block and shade art in CP437, 79 columns."),
        comment("Multi-line fields continue over the INSERTLINE row in force: first one"),
        comment("that carries on the bar of the field rows, then a plain one."),
        insertline(wide_bar()),
        FADE_LIGHTEST,
        FADE_LIGHT,
        FADE_DOWN,
        SOLID,
        wall(),
        [wall_centred(line) for line in banner],
        wall(),
        SOLID,
        wall(),
        field("TITLE", -1, At(wall())),
        wall(),
        band("RELEASE"),
        wall(),
        field("SOFTWARE", WIDE_KEY_COLUMN, At(wide_key("Software"))),
        field("UPLOADBY", WIDE_KEY_COLUMN, At(wide_key("Uploader"))),
        field("PACKAGESIZE", WIDE_KEY_COLUMN, At(wide_key("Size"))),
        field("UPLOADEDAS", WIDE_KEY_COLUMN, At(wide_key("Format"))),
        field("SUPPORT", WIDE_KEY_COLUMN, At(wide_key("Support"))),
        field("POSTINFO", WIDE_KEY_COLUMN, At(wide_key("Post info"))),
        field("FULLREPOST", WIDE_KEY_COLUMN, At(wide_key("Repost"))),
        field("POSTEDTO", WIDE_KEY_COLUMN, At(wide_key("Newsgroups"))),
        wall(),
        insertline(wall()),
        field(
            "SECURITYINF",
            WIDE_KEY_COLUMN,
            band("PROTECTION"),
            wall(),
            At(wide_key("Workaround")),
            field("SERIALNUM", WIDE_KEY_COLUMN, At(wide_key("Serial"))),
            field("REGDTO", WIDE_KEY_COLUMN, At(wide_key("Registered to"))),
            field("CRACKBY", WIDE_KEY_COLUMN, At(wide_key("Cracked by"))),
            field("KEYGENBY", WIDE_KEY_COLUMN, At(wide_key("Keygen by"))),
            wall(),
        ),
        field("INSTALLINF", WIDE_TEXT_COLUMN, band("INSTALLATION"), wall(), At(wall()), wall()),
        field("REMARKS", WIDE_TEXT_COLUMN, band("COMMENTS"), wall(), At(wall()), wall()),
        field("THANKSTO", WIDE_TEXT_COLUMN, band("THANKS"), wall(), At(wall()), wall()),
        fillwait(
            band("REQUESTS"),
            wall(),
            wall_centred("Fill requests only after the full repost, please."),
            wall(),
        ),
        SOLID,
        FADE_DOWN,
        FADE_LIGHT,
        FADE_LIGHTEST,
    ]


# ---------------------------------------------------------------------------------------------
# FileId.ntf: a FILE_ID.DIZ, at most 45 columns and 10 lines: the title, size, parts and uploader.

DIZ_WIDTH = 45
DIZ_COLUMN = 11  # where the values of the "label : value" rows start


def diz_row(label=""):
    text = ("▌  " + label).ljust(DIZ_COLUMN - 2) + (": " if label else "  ")
    return text.ljust(DIZ_WIDTH - 1) + "▐"


def fileid_template():
    lines = [
        comment("Quenby FILE_ID.DIZ template: at most 45 columns and 10 lines."),
        "▄" * DIZ_WIDTH,
        field("TITLE", 3, At(diz_row())),
        "▌" + " " + "─" * (DIZ_WIDTH - 4) + " " + "▐",
        field("PACKAGESIZE", DIZ_COLUMN, At(diz_row("Size"))),
        field("POSTINFO", DIZ_COLUMN, At(diz_row("Parts"))),
        field("UPLOADBY", DIZ_COLUMN, At(diz_row("By"))),
        "▀" * DIZ_WIDTH,
    ]
    shown = [line for line in flatten(lines) if not line.startswith("#")]
    assert len(shown) <= 10 and all(len(line) <= DIZ_WIDTH for line in shown)
    return lines


# ---------------------------------------------------------------------------------------------
# Shared by the templates below: "label .... value" rows, where the value starts at a column.

def leader_row(label, column, indent=3, lead=".", end=" "):
    """indent spaces, the label, leaders up to the value's column less len(end), then end."""
    text = " " * indent + label + " "
    text += lead * (column - len(end) - len(text)) + end
    assert len(text) == column, label
    return text


def release_fields(key, column):
    """The release rows every template below prints, in the same order: key(label) is the row."""
    return [
        field("SOFTWARE", column, At(key("Software"))),
        field("UPLOADBY", column, At(key("Uploaded by"))),
        field("PACKAGESIZE", column, At(key("Size"))),
        field("UPLOADEDAS", column, At(key("Format"))),
        field("SUPPORT", column, At(key("Support files"))),
        field("POSTINFO", column, At(key("Post info"))),
        field("POSTEDTO", column, At(key("Newsgroups"))),
        field("FULLREPOST", column, At(key("Full repost"))),
    ]


def protection_fields(key, column, before, after):
    """The protection rows, all within the lines SECURITYINF governs: before and after are lines
    around them (a heading, a blank row), gone with them when no box of the protection is ticked."""
    return field(
        "SECURITYINF", column, *before, At(key("Workaround")),
        field("SERIALNUM", column, At(key("Serial number"))),
        field("REGDTO", column, At(key("Registered to"))),
        field("CRACKBY", column, At(key("Cracked by"))),
        field("KEYGENBY", column, At(key("Keygen by"))),
        *after)


def text_sections(column, heading, blank, names=("Installation", "Comments", "Thanks")):
    """The three free-text sections: heading(name), the text on the row after it, then blank."""
    return [field(keyword, column, *heading(name), At(blank), blank)
            for keyword, name in zip(("INSTALLINF", "REMARKS", "THANKSTO"), names)]


def framed(left, right, width=WIDTH):
    """A row maker for a frame: left, the text padded to fit, right."""
    inner = width - len(left) - len(right)

    def make(text=""):
        assert len(text) <= inner, text
        return left + text.ljust(inner) + right
    make.inner = inner
    return make


def centred(make, text):
    return make(" " * ((make.inner - len(text)) // 2) + text)


# ---------------------------------------------------------------------------------------------
# Blocks.ntf: a heavy banner of block letters two pixels thick, sections as tabs.

HEAVY = {  # 7 x 8 pixels; two pixel rows make a line of half blocks
    "R": ["######.", "##...##", "##...##", "######.", "#####..", "##..##.", "##...##", "##...##"],
    "E": ["#######", "##.....", "##.....", "######.", "##.....", "##.....", "##.....", "#######"],
    "L": ["##.....", "##.....", "##.....", "##.....", "##.....", "##.....", "##.....", "#######"],
    "A": ["..###..", ".##.##.", "##...##", "##...##", "#######", "##...##", "##...##", "##...##"],
    "S": [".######", "##.....", "##.....", ".#####.", ".....##", ".....##", ".....##", "######."],
}


def heavy_word(word, gap=2):
    """The word in HEAVY letters, with a shade cast to the right of each stroke."""
    rows = []
    for top in range(0, 8, 2):
        cells = " "
        for n, letter in enumerate(word):
            pixels = HEAVY[letter]
            cells += " " * gap if n else ""
            for x in range(7):
                up, down = pixels[top][x] == "#", pixels[top + 1][x] == "#"
                cells += "█" if up and down else "▀" if up else "▄" if down else " "
        rows.append("".join("░" if c == " " and n and cells[n - 1] in "█▀▄" else c
                            for n, c in enumerate(cells + " ")))
    return rows


BLOCKS_COLUMN = 25
BLOCKS_TEXT = 5


def blocks_tab(title):
    tab = "██▌ " + title + " ▐"
    return tab + "▀" * (WIDTH - len(tab) - 2) + "██"


def blocks_key(label):
    return leader_row(label.upper(), BLOCKS_COLUMN, lead="·", end=" ▐ ")


def blocks_template():
    banner = heavy_word("RELEASE")
    bar = " " * ((WIDTH - len(banner[0])) // 2)
    return [
        comment("Quenby blocks template: a heavy banner of block letters."),
        comment("Sections open with a tab; free text continues on plain rows."),
        insertline(blocks_key("").replace("·", " ")[:BLOCKS_COLUMN]),
        "",
        [bar + line for line in banner],
        "",
        "▄" * WIDTH,
        field("TITLE", -1, At("")),
        "▀" * WIDTH,
        "",
        blocks_tab("RELEASE"),
        "",
        release_fields(blocks_key, BLOCKS_COLUMN),
        "",
        insertline(""),
        protection_fields(blocks_key, BLOCKS_COLUMN, [blocks_tab("PROTECTION"), ""], [""]),
        text_sections(BLOCKS_TEXT, lambda name: [blocks_tab(name.upper()), ""], ""),
        fillwait(blocks_tab("REQUESTS"), "",
                 " " * BLOCKS_TEXT + "Fill requests after the full repost, please.", ""),
        "▄" * WIDTH,
        " " * 58 + "nfo made with Quenby",
        "▀" * WIDTH,
    ]


# ---------------------------------------------------------------------------------------------
# Thin.ntf: one thin single-line box, labels set right against the values.

THIN_COLUMN = 26
THIN_TEXT = 6
thin = framed("│", "│")


def thin_key(label):
    return thin((label + ":").rjust(THIN_COLUMN - 3) + " ")


def thin_rule(title):
    return "├─── " + title + " " + "─" * (WIDTH - 7 - len(title)) + "┤"


def thin_template():
    caption = "┤ release information ├"
    top = "┌" + "─" * 4 + caption + "─" * (WIDTH - 6 - len(caption)) + "┐"
    return [
        comment("Quenby thin template: one single-line box, little art."),
        insertline(thin()),
        top,
        thin(),
        field("TITLE", -1, At(thin())),
        thin(),
        thin_rule("Release"),
        thin(),
        release_fields(thin_key, THIN_COLUMN),
        thin(),
        protection_fields(thin_key, THIN_COLUMN, [thin_rule("Protection"), thin()], [thin()]),
        text_sections(THIN_TEXT, lambda name: [thin_rule(name), thin()], thin()),
        fillwait(thin_rule("Requests"), thin(),
                 centred(thin, "Please hold back fill requests until after the full repost."),
                 thin()),
        "└" + "─" * (WIDTH - 26) + "┤ made with Quenby ├────┘",
    ]


# ---------------------------------------------------------------------------------------------
# Double.ntf: a double-line frame drawn as a table, a label column beside a value column.

DOUBLE_SPLIT = 22  # the column of the table's middle line
DOUBLE_COLUMN = DOUBLE_SPLIT + 2
DOUBLE_TEXT = 5
double = framed("║", "║")


def double_key(label):
    return double(" " + label.ljust(DOUBLE_SPLIT - 2) + "║")


def double_rule(left, joint, right):
    return left + "═" * (DOUBLE_SPLIT - 1) + joint + "═" * (WIDTH - DOUBLE_SPLIT - 2) + right


def double_heading(name):
    return [double("  ■ " + name.upper()), double("  " + "─" * (len(name) + 2))]


def double_template():
    return [
        comment("Quenby double template: a double-line frame set as a table."),
        insertline(double_key("")),
        "╔" + "═" * (WIDTH - 2) + "╗",
        double(),
        field("TITLE", -1, At(double())),
        double(),
        double_rule("╠", "╦", "╣"),
        release_fields(double_key, DOUBLE_COLUMN),
        protection_fields(double_key, DOUBLE_COLUMN, [double_rule("╠", "╬", "╣")], []),
        double_rule("╠", "╩", "╣"),
        insertline(double()),
        double(),
        text_sections(DOUBLE_TEXT, double_heading, double()),
        fillwait(centred(double, "Fill requests only after the full repost, please."), double()),
        "╠" + "═" * (WIDTH - 2) + "╣",
        centred(double, "nfo made with Quenby"),
        "╚" + "═" * (WIDTH - 2) + "╝",
    ]


# ---------------------------------------------------------------------------------------------
# Gradient.ntf: shades from light to dark across the page; each label points at its value.

GRADIENT_COLUMN = 26
GRADIENT_TEXT = 6


def ramp(width, steps="░▒▓█"):
    """width cells going from the first shade to the last in equal runs."""
    return "".join(steps[n * len(steps) // width] for n in range(width))


def gradient_bar(steps="░▒▓█"):
    """Shades growing darker towards the middle of the page from either side."""
    half = ramp((WIDTH + 1) // 2, steps)
    return half + half[-2::-1]


def gradient_key(label):
    return (label + " ").rjust(GRADIENT_COLUMN - 4) + "░▒▓ "


def gradient_heading(name):
    start = "▓▒░ " + name + " "
    return start + ramp(WIDTH - len(start))


def gradient_template():
    return [
        comment("Quenby gradient template: shades from light to dark."),
        insertline(" " * GRADIENT_COLUMN),
        gradient_bar(" ░▒▓"),
        gradient_bar(),
        "",
        field("TITLE", -1, At("")),
        "",
        gradient_bar(),
        gradient_bar(" ░▒▓"),
        "",
        gradient_heading("Release"),
        "",
        release_fields(gradient_key, GRADIENT_COLUMN),
        "",
        insertline(""),
        protection_fields(gradient_key, GRADIENT_COLUMN, [gradient_heading("Protection"), ""], [""]),
        text_sections(GRADIENT_TEXT, lambda name: [gradient_heading(name), ""], ""),
        fillwait(gradient_heading("Requests"), "",
                 " " * GRADIENT_TEXT + "Fill requests after the full repost, please.", ""),
        gradient_bar(" ░▒▓"),
        centred(framed("", ""), "nfo made with Quenby"),
        gradient_bar(" ░▒▓"),
    ]


# ---------------------------------------------------------------------------------------------
# Classic.ntf: the scene's classic layout: a logo, then the body between two side bars, headings
# in brackets on a rule.

CLASSIC_COLUMN = 27
CLASSIC_TEXT = 8
classic = framed(" ▐█▌ ", " ▐█▌ ")


def classic_key(label):
    return classic(leader_row(label, CLASSIC_COLUMN - 5, indent=2, end=": "))


def classic_heading(name):
    title = "[ " + name.upper() + " ]"
    side = (classic.inner - 4 - len(title)) // 2
    return classic(" " + "─" * side + title + "─" * (classic.inner - 2 - side - len(title)) + " ")


def classic_template():
    # The letters drawn twice as wide, a rule leading into their middle row from either side.
    letters = ["".join(c * 2 for c in line) for line in block_word("NFO")]
    side = (WIDTH - len(letters[0])) // 2 - 3
    logo = [(" ░▒▓" + "─" * (side - 4) + "   " if n == 1 else " " * (side + 3)) + line +
            ("   " + "─" * (side - 4) + "▓▒░" if n == 1 else "") for n, line in enumerate(letters)]
    return [
        comment("Quenby classic template: the scene's layout with side bars."),
        insertline(classic()),
        "",
        logo,
        "",
        " " * 30 + "·:· proudly presents ·:·",
        " ▄▄▄ " + "▄" * classic.inner + " ▄▄▄ ",
        classic(),
        field("TITLE", -1, At(classic())),
        classic(),
        classic_heading("release info"),
        classic(),
        release_fields(classic_key, CLASSIC_COLUMN),
        classic(),
        protection_fields(classic_key, CLASSIC_COLUMN, [classic_heading("protection"), classic()],
                          [classic()]),
        text_sections(CLASSIC_TEXT, lambda name: [classic_heading(name), classic()], classic()),
        fillwait(classic_heading("requests"), classic(),
                 centred(classic, "No fill requests before the full repost, please."), classic()),
        " ▀▀▀ " + "▀" * classic.inner + " ▀▀▀ ",
        " " * 29 + "·:· nfo by Quenby ·:·",
    ]


# ---------------------------------------------------------------------------------------------
# Pocket.ntf: a compact sheet of at most 60 columns.

POCKET_WIDTH = 60
POCKET_COLUMN = 12
POCKET_TEXT = 3


POCKET_LABELS = {"Uploaded by": "Uploader", "Support files": "Support", "Post info": "Parts",
                 "Newsgroups": "Groups", "Full repost": "Repost", "Workaround": "Security",
                 "Serial number": "Serial", "Registered to": "Reg. to", "Cracked by": "Cracker",
                 "Keygen by": "Keygen"}


def pocket_key(label):
    label = POCKET_LABELS.get(label, label)
    assert len(label) < POCKET_COLUMN - 3, label
    return " " + label.ljust(POCKET_COLUMN - 3) + "· "


def pocket_rule(title):
    return "── " + title + " " + "─" * (POCKET_WIDTH - 4 - len(title))


def pocket_template():
    return [
        comment("Quenby pocket template: a compact sheet for narrow windows."),
        "▄" * POCKET_WIDTH,
        field("TITLE", 2, At("█")),
        "▀" * POCKET_WIDTH,
        release_fields(pocket_key, POCKET_COLUMN),
        protection_fields(pocket_key, POCKET_COLUMN, [pocket_rule("Protection")], []),
        text_sections(POCKET_TEXT, lambda name: [pocket_rule(name)], ""),
        fillwait(pocket_rule("Requests"), "   Fill requests after the full repost, please."),
        "▀" * POCKET_WIDTH,
    ]


# ---------------------------------------------------------------------------------------------
# Modern.ntf: quiet plain ASCII of at most 70 columns, for sites that show an NFO as text.

MODERN_WIDTH = 70
MODERN_COLUMN = 16
MODERN_TEXT = 2


def modern_key(label):
    return label.ljust(MODERN_COLUMN)


def modern_heading(name):
    return ["", name, "-" * len(name)]


def modern_template():
    return [
        comment("Quenby modern template: quiet plain ASCII, for sites that show text."),
        field("TITLE", 0, At("")),
        "=" * MODERN_WIDTH,
        "",
        release_fields(modern_key, MODERN_COLUMN),
        protection_fields(modern_key, MODERN_COLUMN, modern_heading("Protection"), []),
        text_sections(MODERN_TEXT, modern_heading, ""),
        fillwait("", "Please wait with fill requests until after the full repost."),
        "",
        "-" * MODERN_WIDTH,
        "Made with Quenby",
    ]


# ---------------------------------------------------------------------------------------------
# Ticket.ntf: a FILE_ID.DIZ of 45 columns cut like a ticket, every field on a row of its own.

TICKET_WIDTH = 45
TICKET_COLUMN = 12


def ticket_key(label):
    return " " + label.ljust(TICKET_COLUMN - 3) + ": "


def ticket_template():
    edge = ("▄▀" * TICKET_WIDTH)[:TICKET_WIDTH]
    return [
        comment("Quenby ticket template: a FILE_ID.DIZ with every field."),
        edge,
        field("TITLE", 1, At("")),
        " " + "·" * (TICKET_WIDTH - 2),
        field("SOFTWARE", TICKET_COLUMN, At(ticket_key("Software"))),
        field("UPLOADBY", TICKET_COLUMN, At(ticket_key("By"))),
        field("PACKAGESIZE", TICKET_COLUMN, At(ticket_key("Size"))),
        field("UPLOADEDAS", TICKET_COLUMN, At(ticket_key("Format"))),
        field("SUPPORT", TICKET_COLUMN, At(ticket_key("Support"))),
        field("POSTINFO", TICKET_COLUMN, At(ticket_key("Parts"))),
        field("POSTEDTO", TICKET_COLUMN, At(ticket_key("Groups"))),
        field("FULLREPOST", TICKET_COLUMN, At(ticket_key("Repost"))),
        field("SECURITYINF", 1, " " + "·" * (TICKET_WIDTH - 2), At(""),
              field("SERIALNUM", TICKET_COLUMN, At(ticket_key("Serial"))),
              field("REGDTO", TICKET_COLUMN, At(ticket_key("Reg. to"))),
              field("CRACKBY", TICKET_COLUMN, At(ticket_key("Crack"))),
              field("KEYGENBY", TICKET_COLUMN, At(ticket_key("Keygen")))),
        text_sections(1, lambda name: [" " + "·" * (TICKET_WIDTH - 2)], ""),
        fillwait(" Fills only after the full repost, please."),
        ("▀▄" * TICKET_WIDTH)[:TICKET_WIDTH],
    ]


NEW_TEMPLATES = [("Blocks.ntf", blocks_template, WIDTH), ("Thin.ntf", thin_template, WIDTH),
                 ("Double.ntf", double_template, WIDTH), ("Gradient.ntf", gradient_template, WIDTH),
                 ("Classic.ntf", classic_template, WIDTH),
                 ("Pocket.ntf", pocket_template, POCKET_WIDTH),
                 ("Modern.ntf", modern_template, MODERN_WIDTH),
                 ("Ticket.ntf", ticket_template, TICKET_WIDTH)]


if __name__ == "__main__":
    write("Default.ntf", default_template())
    write("Compact.ntf", compact_template())
    write("Wide.ntf", wide_template())
    write("FileId.ntf", fileid_template(), DIZ_WIDTH)
    for name, make, width in NEW_TEMPLATES:
        body = flatten(make())
        wide = [line for line in body if not line.startswith("#") and len(line) > width]
        assert not wide, "%s: wider than %d: %r" % (name, width, wide)
        room_of = rooms(body, width)
        assert set(room_of) == set(ALL_FIELDS), name + " leaves out a field"
        assert room_of["SECURITYINF"] >= len(PROTECTION) or width < len(PROTECTION), name
        write(name, body, width)
