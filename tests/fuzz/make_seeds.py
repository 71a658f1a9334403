#!/usr/bin/env python3
"""Writes the seed inputs of the fuzzing harnesses into corpus/ from the project's own files.

    make_seeds.py --jamtool build/native/bin/jamtool

archive: archives packed by jamtool (the shipped default template, several entries, an empty entry).
engine:  every template of the project, each with the untouched form and with the e2e test forms.
sheet:   the command-line tool's test sheets and the example sheet.
Seeds are named seed-*; inputs that once found a fault are named after the fault, and inputs kept
from long fuzzing runs (libFuzzer's -merge=1) by their SHA-1.
"""

import argparse
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
CORPUS = os.path.join(HERE, "corpus")

# The order of fuzz_form.h: check controls, then text controls, as (page, id).
CHECKS = [("General", i) for i in (1013, 1026, 1027, 1028, 1029, 1030, 1031)] + \
         [("Upload", i) for i in (1033, 1014, 1015, 1034, 1043, 1035, 1038, 1039, 1042)] + \
         [("VariousText", i) for i in (1047, 1048, 1049)]
TEXTS = [("General", i) for i in (1010, 1011, 1012, 1014, 1015, 1016, 1017, 1018, 1019, 1020)] + \
        [("Upload", i) for i in (1025, 1031, 1032, 1037, 1041, 1026, 1036)] + \
        [("VariousText", i) for i in (1045, 1043, 1044)]
INITIAL_CHECKS = {("General", 1029), ("Upload", 1033), ("Upload", 1034)}
INITIAL_TEXTS = {("General", 1016): "Kb", ("Upload", 1031): "1",
                 ("Upload", 1026): "There will be no full repost!"}
RADIO_PARTNERS = {("General", 1029): ("General", 1030), ("General", 1030): ("General", 1029),
                  ("Upload", 1034): ("Upload", 1043), ("Upload", 1043): ("Upload", 1034)}


def read_form(path):
    """The state an e2e .form file leaves the form in: (checked set, texts dict)."""
    checked, texts = set(INITIAL_CHECKS), dict(INITIAL_TEXTS)
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if not line or line.startswith("#"):
            continue
        page, control, action, *rest = line.split(" ", 3)
        key = (page, int(control))
        value = rest[0] if rest else ""
        if action == "check":
            checked.add(key)
            checked.discard(RADIO_PARTNERS.get(key))
        elif action == "uncheck":
            checked.discard(key)
        else:
            texts[key] = value.replace("\\n", "\r\n")
    return checked, texts


def encode(checked, texts, template):
    bits = 0
    for i, key in enumerate(CHECKS):
        if key in checked:
            bits |= 1 << i
    data = bits.to_bytes(3, "little")
    for key in TEXTS:
        data += texts.get(key, "").encode("cp437", "replace") + b"\0"
    return data + template


def write(harness, name, data):
    with open(os.path.join(CORPUS, harness, name), "wb") as f:
        f.write(data)


def project_templates():
    folders = [("templates", ROOT + "/templates"), ("e2e", ROOT + "/tests/e2e/templates")]
    found = [(prefix, os.path.join(folder, name)) for prefix, folder in folders
             for name in sorted(os.listdir(folder)) if name.endswith(".ntf")]
    return found + [("cli", ROOT + "/tests/cli/broken.ntf")]


def engine_seeds():
    forms = [("initial", (set(INITIAL_CHECKS), dict(INITIAL_TEXTS)))]
    for name in ("full", "mixed"):
        forms.append((name, read_form(os.path.join(ROOT, "tests/e2e/forms", name + ".form"))))
    for prefix, path in project_templates():
        template = open(path, "rb").read()
        stem = prefix + "-" + os.path.splitext(os.path.basename(path))[0]
        for form_name, (checked, texts) in forms:
            write("engine", "seed-%s-%s" % (stem, form_name), encode(checked, texts, template))


def archive_seeds(jamtool):
    templates = dict((os.path.basename(p), p) for _, p in project_templates())
    with tempfile.TemporaryDirectory() as work:
        empty = os.path.join(work, "empty.ntf")
        open(empty, "wb").close()
        packs = {
            "default": ["Default.ntf=" + templates["Default.ntf"]],
            "three": ["Default.ntf=" + templates["Default.ntf"],
                      "Compact.ntf=" + templates["Compact.ntf"], "Wide.ntf=" + templates["Wide.ntf"]],
            "empty-entry": ["Default.ntf=" + empty, "Plain.ntf=" + templates["Plain.ntf"]],
        }
        for name, entries in packs.items():
            out = os.path.join(work, name + ".jam")
            subprocess.run([jamtool, "pack", out] + entries, check=True)
            write("archive", "seed-" + name, open(out, "rb").read())


def sheet_seeds():
    sheets = [os.path.join(ROOT, "examples", "release.toml")]
    folder = os.path.join(ROOT, "tests/cli/sheets")
    sheets += [os.path.join(folder, n) for n in sorted(os.listdir(folder)) if n.endswith(".toml")]
    for path in sheets:
        write("sheet", "seed-" + os.path.splitext(os.path.basename(path))[0], open(path, "rb").read())


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--jamtool", required=True)
    options = parser.parse_args()
    for harness in ("archive", "engine", "sheet"):
        os.makedirs(os.path.join(CORPUS, harness), exist_ok=True)
    engine_seeds()
    archive_seeds(os.path.abspath(options.jamtool))
    sheet_seeds()


if __name__ == "__main__":
    main()
