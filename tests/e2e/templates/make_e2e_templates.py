#!/usr/bin/env python3
"""Writes the templates of the end-to-end tests (CP437, CR LF) beside this script:

  Framed.ntf  packed as "Default.ntf" into the tests' own Quenby.jam: every field directive, an
              INSERTLINE block, a FILLWAIT block and CP437 frame and shade characters
  Plain.ntf   a loose template in plain ASCII
  Broken.ntf  a loose template whose third line is an unknown directive

Standard library only. Run it again after a change, then remake the golden files.
"""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
WIDTH = 79


def cp437(text):
    return text.encode("cp437")


def framed():
    top = "\u2554" + "\u2550" * (WIDTH - 2) + "\u2557"
    side = "\u2551" + " " * (WIDTH - 2) + "\u2551"
    bottom = "\u255a" + "\u2550" * (WIDTH - 2) + "\u255d"
    shade = "\u2591\u2592\u2593"
    lines = ["#COMMENT End-to-end test template: every field, CP437 frame", top, "#TITLE 1 0 -1",
             side, bottom]
    for keyword, label in [
        ("SOFTWARE", "Software"), ("UPLOADBY", "Uploader"), ("PACKAGESIZE", "Size"),
        ("UPLOADEDAS", "Format"), ("SUPPORT", "Support"), ("POSTINFO", "Posts"),
        ("FULLREPOST", "Repost"), ("SECURITYINF", "Protection"), ("SERIALNUM", "Serial"),
        ("REGDTO", "Registered"), ("CRACKBY", "Cracked by"), ("KEYGENBY", "Keygen by"),
    ]:
        lines += ["#%s 1 0 16" % keyword, " %-12s:" % label]
    lines += ["#INSERTLINE 2", " \u2591\u2591          :", " \u2592\u2592          :",
              "#POSTEDTO 1 0 16", " Newsgroups  :"]
    for keyword, title in [("INSTALLINF", "Install"), ("REMARKS", "Comments"),
                           ("THANKSTO", "Thanks")]:
        lines += ["#INSERTLINE 1", "  " + shade, "#%s 2 1 6" % keyword,
                  " %s %s %s" % (shade, title, shade[::-1]), "  " + shade]
    lines += ["#FILLWAIT 2", "\u2500" * WIDTH, " Fill requests wait until after the repost.",
              bottom]
    return lines


def plain():
    return ["Plain layout for Quenby", "#TITLE 1 0 2", "  ", "#SOFTWARE 1 0 12",
            "Software  : ", "#UPLOADEDAS 1 0 12", "Format    : ", "#REMARKS 1 0 2", "",
            "-- the end --"]


def broken():
    return ["Broken template", "second line", "#BOGUS 1 0 0", "fourth line"]


def main():
    for name, lines in [("Framed.ntf", framed()), ("Plain.ntf", plain()),
                        ("Broken.ntf", broken())]:
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(b"".join(cp437(line) + b"\r\n" for line in lines))


if __name__ == "__main__":
    main()
