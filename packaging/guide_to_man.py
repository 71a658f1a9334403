#!/usr/bin/python3
"""Makes the manual page quenby-templates(5) from the template guide, docs/templates.md.

    guide_to_man.py GUIDE.md VERSION OUT.5

The guide's Markdown is the little the guide uses: headings (# and ## become sections, ###
subsections), paragraphs, lists (- and 1., one level nested by indent), tables (a tagged
paragraph a row), fenced blocks (shown as they are) and inline `code`, **strong**, *emphasis* and
[links](...). Every other character reaches the page as itself: roff's own are escaped, and
anything beyond ASCII is named by its code point."""

import re
import sys

HEADER = ('.TH QUENBY-TEMPLATES 5 "December 2026" "Quenby %s" "File Formats"\n'
          ".SH NAME\nquenby-templates \\- the template language of Quenby (.ntf files)\n"
          ".nh\n.ad l\n.SH DESCRIPTION\n")
INLINE = re.compile(r"`([^`]*)`|\*\*([^*]+)\*\*|\*([^*]+)\*|\[([^]]+)\]\(([^)]+)\)")


def escape(text, code=False):
    text = text.replace("\\", "\\e")
    if code:
        text = text.replace("-", "\\-")
    return "".join(c if ord(c) < 128 else "\\[u%04X]" % ord(c) for c in text)


def inline(text):
    def span(match):
        code, strong, emphasis, label, target = match.groups()
        if code is not None:
            return "\\fB" + escape(code, True) + "\\fR"
        if strong or emphasis:
            return ("\\fB%s\\fR" if strong else "\\fI%s\\fR") % escape(strong or emphasis)
        return escape(label) + ("" if target.startswith("#") else " <" + escape(target) + ">")

    out, at = [], 0
    for match in INLINE.finditer(text):
        out += [escape(text[at:match.start()]), span(match)]
        at = match.end()
    return "".join(out + [escape(text[at:])])


def line(text):
    """A line of text, kept from being taken for a request."""
    return ("\\&" + text if text[:1] in (".", "'") else text) + "\n"


def cells(row):
    return [c.strip() for c in row.strip().strip("|").split("|")]


def convert(markdown, version):
    out = [HEADER % version]
    lines = markdown.split("\n")
    i, depth = 0, 0
    while i < len(lines):
        text = lines[i]
        item = re.match(r"( *)(- |\d+\. )(.*)", text)
        if not text.strip():
            i += 1
            continue
        if text.startswith("```"):
            end = lines.index("```", i + 1)
            out.append(".PP\n.RS 4\n.nf\n")
            out += [line(escape(t, True)) for t in lines[i + 1:end]]
            out.append(".fi\n.RE\n")
            i = end + 1
            continue
        if text.startswith("#"):
            level, title = text.split(" ", 1)
            out.append(".SH %s\n" % inline(title).upper() if len(level) == 2 else
                       ".SS %s\n" % inline(title) if len(level) == 3 else "")
            i += 1
            continue
        if text.startswith("|"):
            head, rows = cells(text), []
            i += 2
            while i < len(lines) and lines[i].startswith("|"):
                rows.append(cells(lines[i]))
                i += 1
            for row in rows:
                out.append(".TP\n" + line(inline(row[0])) + line("; ".join(
                    "%s: %s" % (inline(h), inline(c)) for h, c in zip(head[1:], row[1:]))))
            continue
        # A paragraph or a list item: its lines run to a blank line or the next item.
        indent = len(item.group(1)) if item else 0
        while depth > (1 if item and indent else 0):
            out.append(".RE\n")
            depth -= 1
        if item and indent and depth == 0:
            out.append(".RS 2\n")
            depth = 1
        words = [item.group(3) if item else text]
        i += 1
        while i < len(lines) and lines[i].strip() and not re.match(r" *(- |\d+\. |```|#|\|)",
                                                                    lines[i]):
            words.append(lines[i].strip())
            i += 1
        mark = item and ("\\(bu" if item.group(2) == "- " else item.group(2).strip())
        out.append('.IP "%s" 4\n' % mark if item else ".PP\n")
        out.append(line(inline(" ".join(words))))
    out += [".RE\n"] * depth
    out.append(".SH SEE ALSO\n.BR quenby (1)\n")
    return "".join(out).replace(".SH DESCRIPTION\n.PP\n", ".SH DESCRIPTION\n")


def main(guide, version, output):
    with open(guide, encoding="utf-8") as source:
        markdown = source.read()
    # The guide's own title gives way to the page's NAME.
    page = convert(markdown.split("\n", 1)[1], version)
    with open(output, "w", encoding="ascii") as out:
        out.write(page)


if __name__ == "__main__":
    main(*sys.argv[1:])
