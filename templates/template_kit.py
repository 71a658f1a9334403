"""What make_templates.py builds the shipped templates with: the directives, each field's room
(how long its text may be before it covers art or passes the template's width), the comments that
say so, the release sheet of those longest texts, and the row makers the templates share."""

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
