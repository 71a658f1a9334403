#!/usr/bin/python3
"""Writes the templates that ship with Quenby (Default.ntf and the loose ones), and for each the
release sheet of its longest texts, tests/cli/longest/NAME.toml.

The templates are single-byte CP437 text (box drawing and shade characters), so they are written
from here rather than edited by hand. The art below is written in Unicode and encoded to CP437 on
output; every line ends with CR LF.

Field directives are built with field() of template_kit.py: it counts the lines a directive
governs (P1) and finds the line that receives the text (P2), so that moving art around never
breaks a directive.

Run from anywhere:  /usr/bin/python3 templates/make_templates.py [--check]
(--check: fail if a committed template is not what this script writes; a test runs it.)
"""

from template_kit import (WIDTH, At, field, fillwait, insertline, comment, flatten, PROTECTION,
                          ALL_FIELDS, rooms, write, leader_row, release_fields, protection_fields,
                          text_sections, framed, centred)


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
