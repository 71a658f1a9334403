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
            body.extend(item)
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
            lines.extend(item)
        else:
            lines.append(str(item))
    return lines


def write(name, items):
    lines = flatten(items)
    data = bytearray()
    for number, line in enumerate(lines, 1):
        encoded = line.encode("cp437")
        if len(encoded) > WIDTH:
            sys.exit("%s:%d: line is %d characters wide" % (name, number, len(encoded)))
        data += encoded + b"\r\n"
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), name)
    if "--check" in sys.argv:  # the committed template must be exactly what this script writes
        with open(path, "rb") as committed:
            if committed.read() != data:
                sys.exit("%s differs from what make_templates.py writes" % name)
        return
    with open(path, "wb") as out:
        out.write(data)


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


if __name__ == "__main__":
    write("Default.ntf", default_template())
    write("Compact.ntf", compact_template())
    write("Wide.ntf", wide_template())
    write("FileId.ntf", fileid_template())
