#!/usr/bin/env python3
"""quenby_form json refuses a resource script it cannot read, saying where and why.

    run_form_tool_tests.py --quenby-form PATH"""

import argparse
import os
import subprocess
import sys
import tempfile
from pathlib import Path

RC = Path(__file__).resolve().parents[2].joinpath("src", "ui", "quenby.rc").read_text()
TITLE = '    CONTROL "", IDC_GENERAL_TITLE_EDIT, "Edit", EDIT_STYLE, 84, 5, 259, 13\n'
FIELDS = 'expected CONTROL "text", id, class, style, x, y, width, height (the last four whole numbers)'
# (text of quenby.rc, what replaces it in x.rc (None: no x.rc), the message after "quenby_form: ").
ROWS = [
    ('"NFO Title:", -1, "Static", LABEL_STYLE, 5, 8, 73, 10', '"NFO Title:", -1, "Static", '
     'LABEL_STYLE, 5, 8, 73, 1O', "x.rc:40: " + FIELDS),
    ("84, 20, 259, 8", "84, 20, 259", "x.rc:42: " + FIELDS),  # a statement of two lines: its first
    ("IDC_GENERAL_TITLE_EDIT,", "IDC_GENERAL_TITEL_EDIT,",
     "x.rc:41: IDC_GENERAL_TITEL_EDIT is not in the form table"),
    ("IDD_UPLOAD_PAGE DIALOGEX", "IDD_UPLOADS_PAGE DIALOGEX", "x.rc has no readable IDD_UPLOAD_PAGE"),
    (TITLE, "", "x.rc lists 38 of the table's 39 controls"),
    ("", None, "cannot read x.rc"),
]


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--quenby-form", required=True)
    tool = os.path.abspath(parser.parse_args().quenby_form)
    failures = 0
    for text, replacement, message in ROWS:
        with tempfile.TemporaryDirectory() as work:
            if replacement is not None:
                assert RC.count(text) == 1, text
                Path(work, "x.rc").write_text(RC.replace(text, replacement))
            done = subprocess.run([tool, "json", "x.rc"], cwd=work, capture_output=True, text=True)
            if (done.returncode, done.stdout, done.stderr) != (2, "", "quenby_form: %s\n" % message):
                failures += 1
                print("FAIL %r\n    got %r %r" % (message, done.returncode, done.stderr))
    print("%d of %d rows failed" % (failures, len(ROWS)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
